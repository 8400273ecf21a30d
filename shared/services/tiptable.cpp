#include "tiptable.h"

#include <QRegularExpression>
#include <QTime>

namespace {

QString unknown(const char *code)
{
    return QStringLiteral(" <b><font color='#FF0000'>未知错误</font></b>代码%1!</p>").arg(QLatin1String(code));
}

const QString unknownCode00 = QStringLiteral("<b><font color='#FF0000'>未知错误</font></b>代码00</p>");

} // namespace

QString TipTable::message(int var1, int var2, int done, int expected)
{
    switch (var1) {
    case 0:
        switch (var2) {
        case 0: return QStringLiteral(" <b><font color='#FF0000'>没有发现</font></b>该文件!</p>");
        case 1: return QStringLiteral("该文件<b><font color='#FF0000'>不可读!</font></b></p>");
        case 2: return QStringLiteral(" 该文件<b><font color='#FF0000'>不可写!</font></b></p>");
        case 3: return QStringLiteral(" 文件保存<b><font color='#FF0000'>失败</font></b>!</p>");
        case 4: return QStringLiteral(" 文件保存<b>成功</b>!</p>");
        case 5: return QStringLiteral(" 文件内容<b>无变化</b>,保持原样!</p>");
        case 6: return QStringLiteral(" 该文件<b><font color='#FF0000'>编码不符!</font></b>内容不是当前编码的有效文本</p>");
        case 7: return QStringLiteral(" 已删除中断写入遗留的<b>临时文件</b>!</p>");
        case 8: return QStringLiteral(" 该文件<b><font color='#FF0000'>过大</font></b>(接近或超过 1 GiB),无法作为一个文本处理,保持原样!</p>");
        case 9: return QStringLiteral(" 该文件<b><font color='#FF0000'>不是普通文件</font></b>(命名管道、套接字、设备或文件夹),保持原样!</p>");
        case 10: return QStringLiteral(" 该文件之前的内容<b><font color='#FF0000'>无法保留</font></b>以供撤销,未改写,保持原样!</p>");
        default: return unknown("0");
        }
    case -1:
        switch (var2) {
        case 1: return QStringLiteral(" 繁简转换:替换相关配置行数<b><font color='#FF0000'>不一致</font></b>!请【编辑对应转换文档】</p>");
        case 2: return QStringLiteral(" 自定义转换:替换相关配置行数<b><font color='#FF0000'>不一致</font></b>!请【编辑对应替换文档】</p>");
        case 3: return QStringLiteral(" 繁简转换:替换相关配置文件没有内容,请添加(每行一个)!请【编辑对应转换文档】</p>");
        case 4: return QStringLiteral(" 自定义转换:替换相关配置文件没有替换内容,请添加(每行一个)!请【编辑对应替换文档】</p>");
        case 5: return QStringLiteral(" 繁简转换:使用以上文件夹中的转换表(条数如上),可【编辑对应转换文档】修改或补充!</p>");
        default: return unknown("1");
        }
    case -11:
        return var2 > 0 ? QStringLiteral(" 繁简转换:有 <b>%1</b> 个可对应多个字形的字没有词语或词组确定,已按单字表转换,请核对!</p>").arg(var2)
                        : unknown("11");
    case -2:
        return var2 == 0 ? QStringLiteral(" 进制转换<b><font color='#FF0000'>失败</font></b>,请检查!</p>") : unknown("2");
    case -3:
        return var2 == 0 ? QStringLiteral(" 文本格式二<b><font color='#FF0000'>不支持</font></b>自定义格式切换!</p>") : unknown("3");
    case -4:
        switch (var2) {
        case 0: return QStringLiteral(" 文件处理<b>完毕</b>! %1/%2</p>").arg(done).arg(expected);
        case 1: return QStringLiteral(" 线程池启动<b><font color='#FF0000'>失败</font></b>!</p>");
        case 2: return QStringLiteral("所有线程处理<b>全部完毕</b>!</p>");
        case 3: return QStringLiteral(" 处理已<b>取消</b>!</p>");
        default: return unknown("4");
        }
    case -5:
        return unknown("5");
    case -6:
        return var2 == 0 ? QStringLiteral(" 操作<b><font color='#FF0000'>取消</font></b>!参数设置有误,请检查!</p>") : unknown("6");
    case -7:
        return var2 == 0 ? QStringLiteral("<b><font color='#FF0000'>警告</font></b>:上一条[被替换关键字]为空,请补充!</p>") : unknown("7");
    case -10:
        return var2 == 0 ? QStringLiteral(" 解码<b><font color='#FF0000'>失败</font></b>:内容不是有效的编码文本,文件未修改!</p>") : unknownCode00;
    case -9:
        return var2 == 9 ? QStringLiteral("<b><font color='#FF0000'> 未选择</font></b>:操作选项!</p>") : unknown("9");
    case 11:
        switch (var2) {
        case 11: return QStringLiteral(" 加载插件<b>成功</b>!</p>");
        case 12: return QStringLiteral(" 插件打开!</p>");
        case 13: return QStringLiteral(" 插件关闭!</p>");
        default: return unknown("7"); // this group has always reported its unknown codes as 7
        }
    case 12:
        switch (var2) {
        case 0: return QStringLiteral(" 撤销批处理:<b>没有</b>可撤销的批处理!</p>");
        case 1: return QStringLiteral(" 已<b>恢复</b>为批处理之前的内容!</p>");
        case 2: return QStringLiteral(" 批处理之后已被修改,<b><font color='#FF0000'>未恢复</font></b>!</p>");
        case 3: return QStringLiteral(" 批处理之前的内容<b><font color='#FF0000'>恢复失败</font></b>!</p>");
        case 4: return QStringLiteral(" 撤销批处理<b>完毕</b>!(已恢复/共计)</p>");
        case 5: return QStringLiteral(" 撤销存储所在的磁盘<b><font color='#FF0000'>已满</font></b>,无法保留文件之前的内容,这些文件未改写!</p>");
        case 6: return QStringLiteral(" 撤销存储所在的磁盘<b><font color='#FF0000'>没有可用的索引节点</font></b>(inode),无法保留文件之前的内容,这些文件未改写!</p>");
        case 7: return QStringLiteral(" 撤销存储<b><font color='#FF0000'>只读或没有写入权限</font></b>,无法保留文件之前的内容,这些文件未改写!</p>");
        case 8: return QStringLiteral(" 撤销存储<b><font color='#FF0000'>无法写入</font></b>,无法保留文件之前的内容,这些文件未改写!</p>");
        default: return unknown("12");
        }
    case 99:
        return var2 == 99 ? QString() : unknownCode00;
    default:
        return unknownCode00;
    }
}

bool TipTable::isFailure(int var1, int var2)
{
    return message(var1, var2).contains(QLatin1String("#FF0000"));
}

QString TipTable::summary(int done, int unchanged, int failed, qint64 msecs)
{
    const QString failures = failed > 0
        ? QStringLiteral("<b><font color='#FF0000'>失败 %1 个</font></b>").arg(failed)
        : QStringLiteral("失败 0 个");
    return QStringLiteral("所有线程处理<b>全部完毕</b>! 完成 %1 个文件(其中无变化 %2 个), %3, 用时 %4 秒</p>")
        .arg(done)
        .arg(unchanged)
        .arg(failures)
        .arg(QString::number(double(msecs) / 1000.0, 'f', 2));
}

QString TipTable::cancelSummary(int done, int failed, int untouched, qint64 msecs)
{
    return QStringLiteral("处理已<b>取消</b>! 完成 %1 个文件, 失败 %2 个, <b>%3 个文件未处理</b>(保持原样), 用时 %4 秒</p>")
        .arg(done)
        .arg(failed)
        .arg(untouched)
        .arg(QString::number(double(msecs) / 1000.0, 'f', 2));
}

QString TipTable::plainText(const QString &html)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    QString text = html;
    text.remove(tags);
    return text.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

QString TipTable::prefix(const QTime &time, int var1, int var2, const QString &fileName)
{
    return time.toString() + QLatin1String("  ") + QString::number(var1) + QString::number(var2)
        + QLatin1Char(' ') + fileName.toHtmlEscaped();
}

QString TipTable::line(const QTime &time, int var1, int var2, const QString &fileName, int done, int expected)
{
    return prefix(time, var1, var2, fileName) + message(var1, var2, done, expected);
}
