#include "reworkeroperations.h"

#include <QDir>
#include <QWidget>

#include "blocks.h"
#include "dockwidgettextoption.h"
#include "pageadd.h"
#include "pagechar.h"
#include "pagecode.h"
#include "pagediscombobulated.h"
#include "pageenter.h"
#include "pageextraction.h"
#include "pagekeys.h"
#include "pagemerge.h"
#include "pagenumber.h"
#include "pagerepeatsplit.h"
#include "pagespace.h"
#include "pagetextto.h"
#include "replace.h"
#include "merge.h"
#include "pluginbase.h"
#include "split.h"
#include "textindex.h"
#include "textjob.h"
#include "textnumberjob.h"
#include "textto.h"
#include "tipcodes.h"

namespace {

// Merge: one job per list that has files, writing "merge<list id>.txt"
// into the working directory.
TextBase *mergeJob(const ListSource &list, const OptionRecord *options)
{
    if (list.files.isEmpty())
        return nullptr;
    return new TextMerge(Merge::outputName(QDir::currentPath(), list.id), list.files, options);
}

using ReplaceJob = TextJob<ReplaceOptions, Replace::apply>;
using RetainJob = TextJob<RetainOptions, Blocks::retainMatches>;
using BlockJob = TextJob<BlockOptions, Blocks::filterLines>;

// 替2: every file gets the replacements of its own column.
TextBase *replace2Job(const QString &fileName, const OptionRecord *options, int)
{
    const auto *all = static_cast<const Replace2Options *>(options);
    return new ReplaceJob(fileName, &all->forFile(fileName));
}

} // namespace

QList<OperationRow> reworkerOperations()
{
    QList<OperationRow> rows;

    // Nothing chosen: the explanation page explains every operation.
    rows << OperationRow::describe(textNone, "", "", "处理-说明", pageExplain, "", "")
        .withPage<QWidget>("page_9");

    rows << OperationRow::describe(textReplaced, "Label_textReplaced", "替1", "处理选项 - 字符处理：替换", pageKeys,
            "<b>字符处理：替换1</b><br>将指定文本文件相同的关键字替换为【相同】的内容",
            "替换1：把关键字都替换为同一个新内容，范围内每个文件都一样")
        .withPage<PageKeys>("page_1")
        .withJob(pageOptions(&PageKeys::replaceOptions), jobMaker<ReplaceJob>());

    OperationRow replaced2 = OperationRow::describe(textReplaced2, "Label_textReplaced_2", "替2",
            "处理选项 - 字符处理：替换2", pageKeys,
            "<b>字符处理：替换2</b><br>将指定文本文件相同的关键字替换为【不同】的内容",
            "替换2：把关键字替换为各文件自己的内容（替换表中每个文件一列）")
        .withPage<PageKeys>("page_1");
    replaced2.rangeFiles = true; // the table has one column per file of the range
    rows << replaced2.withJob(pageOptions(&PageKeys::replace2Options), replace2Job);

    rows << OperationRow::describe(textRetain, "Label_textRetain", "留", "处理选项 - 字符处理：保留", pageKeys,
            "<b>字符处理：保留</b><br>保留符合正则表达式的文本内容",
            "保留：只留下与正则表达式匹配的文本，其余删除")
        .withPage<PageKeys>("page_1")
        .withJob(pageOptions(&PageKeys::retainOptions), jobMaker<RetainJob>());

    // Delete is replace with the replacement box hidden: every key goes.
    rows << OperationRow::describe(textDelete, "Label_textDelete", "删", "处理选项 - 字符处理：删除", pageKeys,
            "<b>字符处理：删除</b><br>删除指定或符合正则表达式的文本内容",
            "删除：删除指定的关键字或与正则表达式匹配的文本")
        .withPage<PageKeys>("page_1")
        .withJob(pageOptions(&PageKeys::replaceOptions), jobMaker<ReplaceJob>());

    rows << OperationRow::describe(textTo, "Label_textTo", "转", "处理选项 - 字符处理：转换", pageTo,
            "<b>字符处理：转换</b><br>支持大小写、全半角、进制、繁简体等转换方式",
            "转换：大小写、全角半角、进制、简体繁体等转换")
        .withPage<PageTextTo>("page_8")
        .withJob(
            [](DockWidgetOptionBase *dock, const QStringList &) -> OptionRecord * {
                PageTextTo *page = DockWidgetTextOption::pageOf<PageTextTo>(dock);
                return page ? page->readOptions() : nullptr;
            },
            jobMaker<TextTo>());

    rows << OperationRow::describe(textCode, "Label_textCode", "码", "处理选项 - 字符处理：编解码", pageCode,
            "<b>字符处理：编解码</b><br>支持BASIC、 Hex、AES_128、 ASCII、DES、Rabbit、RC4、TripleDes、"
            "Keccak_224、Keccak_256、Keccak_384、Keccak_512、RealSha3_224、RealSha3_256、RealSha3_384、"
            "RealSha3_512、Md4、Md5、Sha1、Sha224、Sha256、Sha384、Sha512等编解码方式",
            "编解码：Base64、Hex、AES 等编码与解码，或算出 MD5、SHA 等摘要")
        .withPage<PageCode>("page_11")
        .withJob(pageOptions(&PageCode::options), jobMaker<TextCode>());

    rows << OperationRow::describe(textChar, "Label_textChar", "字", "处理选项 - 字符处理：字符", pageChar,
            "<b>字符处理：字符</b><br>增加指定字符或删除、保留指定长度",
            "字符：在每段的开头、结尾或指定位置插入文字，或删除、保留指定数量的字符")
        .withPage<PageChar>("page_15")
        .withJob(pageOptions(&PageChar::options),
                jobMaker<CheckedTextJob<CharOptions, &TextChar::process, Tips::FileTooLarge>>());

    rows << OperationRow::describe(textSpace, "Label_textSpace", "空", "处理选项 - 字符处理：空格", pageSpace,
            "<b>字符处理：空格</b><br>支持在段首或段尾设置空格数量",
            "空格：设置每段开头或结尾的空格数量，或删除全部空格")
        .withPage<PageSpace>("page_13")
        .withJob(pageOptions(&PageSpace::options),
                jobMaker<InPlaceTextJob<SpaceOptions, &TextSpace::processInPlace, Tips::FileTooLarge>>());

    rows << OperationRow::describe(textAdd, "Label_textAdd", "加", "处理选项 - 字符处理：追加", pageAdd,
            "<b>字符处理：追加</b><br>追加段落已有文本内容",
            "追加：把每段自己的一部分文字复制一份，加到段首或段尾")
        .withPage<PageAdd>("page_16")
        .withJob(pageOptions(&PageAdd::options), jobMaker<TextJob<AddOptions, &TextAdd::process>>());

    // Subtraction has a label, a title and an explanation but no behaviour:
    // its page stays as it was and start does nothing.
    OperationRow subtract = OperationRow::describe(textSubtract, "Label_textSubtract", "减", "处理选项 - 字符处理：减去", -1,
            "<b>字符处理：减去</b><br>",
            "减去：尚未实现，选中后按“处理”不做任何事");
    subtract.start = OperationRow::Nothing;
    rows << subtract;

    rows << OperationRow::describe(textBlockRetain, "Label_textBlockRetain", "留", "处理选项 - 段处理：保留包含关键字的段",
            pageKeys, "<b>字符处理：保留段</b><br>【保留】包含指定或正则表达式的段",
            "保留段：只保留包含关键字或与正则表达式匹配的段")
        .withPage<PageKeys>("page_1")
        .inGroup(groupParagraphs)
        .withJob(pageOptions(&PageKeys::blockRetainOptions), jobMaker<BlockJob>());

    rows << OperationRow::describe(textBlockDelete, "Label_textBlockDelete", "删", "处理选项 - 段处理：删除包含关键字的段",
            pageKeys, "<b>字符处理：删除段</b><br>【删除】包含指定或正则表达式的段",
            "删除段：删除包含关键字或与正则表达式匹配的段")
        .withPage<PageKeys>("page_1")
        .inGroup(groupParagraphs)
        .withJob(pageOptions(&PageKeys::blockDeleteOptions), jobMaker<BlockJob>());

    rows << OperationRow::describe(textEnter, "Label_textEnter", "距", "处理选项 - 段处理：段间距", pageEnter,
            "<b>字符处理：段间距</b><br>设置段落之间空行的数量",
            "段间距：删除空行，并设置段与段之间空行的数量")
        .withPage<PageEnter>("page_14")
        .inGroup(groupParagraphs)
        .withJob(pageOptions(&PageEnter::options),
                jobMaker<CheckedTextJob<EnterOptions, &TextEnter::process, Tips::FileTooLarge>>());

    rows << OperationRow::describe(textRepeat, "Label_textRepeat", "重", "处理选项 - 段处理：重复", pageRepeat,
            "<b>字符处理：重复</b><br>删除重复的段：与前面某段相同的段被删除，只保留第一次出现的段，其余段的顺序不变",
            "重复：删除与前面某段相同的段，只留第一次出现的")
        .withPage<PageRepeatSplit>("page_19")
        .inGroup(groupParagraphs)
        .withJob(pageOptions(&PageRepeatSplit::repeatOptions),
                jobMaker<TextJob<RepeatOptions, &TextRepeat::process>>());

    rows << OperationRow::describe(textNumber, "Label_textNumber", "序", "处理选项 - 段处理：序号", pageNumber,
            "<b>字符处理：序号</b><br>为段落添加或删除序号",
            "序号：为每段加上序号，或删除已加的序号")
        .withPage<PageNumber>("page_12")
        .inGroup(groupParagraphs)
        .withJob(pageOptions(&PageNumber::options), jobMaker<TextNumberJob>());

    rows << OperationRow::describe(textDiscombobulated, "Label_textDiscombobulated", "乱", "处理选项 - 段处理：随机打乱",
            pageDiscombobulated, "<b>字符处理：随机打乱</b><br>将文本内容按段、按字符、按指定长度随机打乱",
            "随机打乱：把段的顺序，或段内指定长度的片段随机打乱")
        .withPage<PageDiscombobulated>("page_18")
        .inGroup(groupParagraphs)
        .withJob(pageOptions(&PageDiscombobulated::options),
                jobMaker<TextJob<DiscombobulatedOptions, &TextDiscombobulated::shuffle>>());

    rows << OperationRow::describe(textExtraction, "Label_textExtraction", "段", "处理选项 - 段处理：保留、删除指定段",
            pageExtraction,
            "<b>字符处理：保留、删除段</b><br>保留或删除指定序号的段",
            "保留、删除段：按序号（奇偶、质数、余数、列表）或开头、结尾、包含的文字保留或删除段")
        .withPage<PageExtraction>("page_17")
        .inGroup(groupParagraphs)
        .withJob(pageOptions(&PageExtraction::options),
                jobMaker<TextJob<TextExtractionOption, &TextExtraction::process>>());

    OperationRow merge = OperationRow::describe(textMerge, "Label_textMerge", "并", "处理选项 - 多文件处理：合并", pageMerge,
            "<b>字符处理：合并</b><br>将一个列表(list)中所有的文本文件合并为一个文本文件",
            "合并：把一个列表中的所有文件按顺序合并为一个新文件（merge+列表号.txt），原文件不变")
        .withPage<PageMerge>("page_20")
        .inGroup(groupFiles)
        .withListJob(pageOptions(&PageMerge::mergeOptions), mergeJob);
    merge.producedList = QStringLiteral("Merge");
    rows << merge;

    // Splitting is listed with the multi-file operations but works file by
    // file, over the single-file ranges, and never changes the file itself.
    OperationRow split = OperationRow::describe(textMultiple, "Label_textMultiple", "拆", "处理选项 - 多文件处理：拆分",
            pageRepeat,
            "<b>字符处理：拆分</b><br>将一个文本文件按指定文本进行拆分成为多个文件："
            "每隔固定段数，或在每个内容等于分割字符的段处（该段不保留）拆分；"
            "各部分与原文件同目录，名为 原名_1、原名_2…，并加入新列表 Split，原文件不变",
            "拆分：按段数或分隔段把文件拆成多个文件（原名_1、原名_2…），原文件不变")
        .withPage<PageRepeatSplit>("page_19")
        .inGroup(groupFiles)
        .withJob(pageOptions(&PageRepeatSplit::splitOptions), jobMaker<TextSplit>());
    split.producedList = QStringLiteral("Split");
    rows << split;

    return rows;
}
