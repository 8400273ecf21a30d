#include "emptyguide.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char *const hrefs[] = {"#add", "#folder", "#plugin", "#guide"};

} // namespace

EmptyGuide::EmptyGuide(QWidget *area)
    : QFrame(area)
{
    setObjectName(QStringLiteral("frame_emptyGuide"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("label_emptyGuide"));
    m_label->setTextFormat(Qt::RichText);
    m_label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_label->setWordWrap(true);
    m_label->setText(QStringLiteral(
        "<h3>开始使用</h3>"
        "<ol>"
        "<li style='margin-bottom:8px'><b>把文件放进列表</b>："
        "<a href='%1'>添加文件</a> 或 <a href='%2'>添加文件夹</a>"
        "（也可以把文件或文件夹拖到列表窗口里）。</li>"
        "<li style='margin-bottom:8px'><b>打开插件</b>：在 <a href='%3'>插件</a> 菜单中选一个，"
        "例如 Text（文本处理）。</li>"
        "<li style='margin-bottom:8px'><b>选择操作、范围，按“处理”</b>：点插件窄窗口中的一个操作，"
        "在“处理选项”中填好选项，再点一个范围（所有列表、当前列表或当前文档），最后按“处理”"
        "（或先按“预览”查看每个文件的改动，再应用）。处理之后可以用“文件 → 撤销上次批处理”恢复。</li>"
        "</ol>"
        "<p>详见 <a href='%4'>使用说明</a>（F1）。</p>")
                         .arg(QLatin1String(hrefs[AddFiles]), QLatin1String(hrefs[AddFolder]),
                              QLatin1String(hrefs[OpenPlugin]), QLatin1String(hrefs[ReadGuide])));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 12, 20, 12);
    layout->addWidget(m_label);
    connect(m_label, &QLabel::linkActivated, this, [this](const QString &link) {
        for (int step = AddFiles; step <= ReadGuide; ++step) {
            if (link == QLatin1String(hrefs[step]))
                emit stepSignal(Step(step));
        }
    });
    area->installEventFilter(this);
    place();
}

QString EmptyGuide::href(Step step)
{
    return QLatin1String(hrefs[step]);
}

bool EmptyGuide::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        place();
    return QFrame::eventFilter(watched, event);
}

void EmptyGuide::place()
{
    // A readable column in the middle, a little above the centre.
    const QRect area = parentWidget()->rect();
    const int width = qMin(560, qMax(200, area.width() - 40));
    const int wanted = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : sizeHint().height();
    const int height = qMin(area.height(), wanted);
    resize(width, height);
    move(area.center().x() - width / 2, qMax(0, area.height() / 3 - height / 3));
}
