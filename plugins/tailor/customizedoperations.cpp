#include "customizedoperations.h"

QString CustomizedOperations::explanation(int index)
{
    switch (index) {
    case AB:
        return QStringLiteral(
            "<b>AB</b><br>在B文件中查找A文件开头的的行，保存到New文件中，未找到将在A文件行尾追加 'not find!'"
            "<br>例: <b>A文件内容:</b><br>dlcnd<br>fdgrr<br><b>B文件内容:</b><br>dlcnd----weasr<br>"
            "tocl----t46gf5<br>detb----56t<br><b>处理后 A文件内容</b>:<br>dlcnd<br>fdgrr not find!<br>"
            "<b>New文件内容</b>:<br>dlcnd----weasr");
    case Article:
        return QStringLiteral("<b>Article</b><br>固定首尾内容，中间插入指定【指定数量】的短篇内容；<br>枚举出所有中间部分的组合");
    default:
        return explanation(AB) + QStringLiteral("<br>") + explanation(Article);
    }
}

QList<OperationRow> CustomizedOperations::rows()
{
    // Both take their lists from their pages, not from a range; the list
    // "New" is made for their output once it has been written. Article
    // makes a file per combination rather than rewriting files: the
    // preview offers AB only.
    OperationRow article = OperationRow::describe(
        Article, "Label_customizedArticle", "Article", "Customized - Article", 1, explanation(Article),
        "Article：固定首尾内容，在中间插入指定数量的短篇，列出中间部分的所有组合，各存为一个文件", OperationRow::Jobs);
    article.generates(QStringLiteral("New"), true);
    article.previewable = false;
    return {
        OperationRow::describe(None, "", "", "Customized-说明", 2, explanation(None), ""),
        OperationRow::describe(AB, "Label_customizedAB", "AB", "Customized - AB", 0, explanation(AB),
                               "AB：在B文件中查找以A文件各行开头的行，找到的存入New文件，找不到的在A文件该行末尾加上 'not find!'",
                               OperationRow::Jobs)
            .generates(QStringLiteral("New"), true),
        article,
    };
}
