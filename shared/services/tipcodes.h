#ifndef TIPCODES_H
#define TIPCODES_H

// Every tip the system sends, one row each: its name, its code pair, its
// severity and its words. Senders use the names (Tips::Saved), never bare
// numbers; only TipTable turns a pair into words, colour and severity.
//
// The words are the message that follows the line prefix. <b>...</b> marks
// the emphasised part: bold, and in the failure colour on a failure row.
// The trailing </p> of the HTML line is added by TipTable. (-4, 0) shows
// the completion counters in place of %1/%2. A row whose var2 is
// TipCode::Counted stands for every var2 above 0, a count shown in place
// of %1 (sent as Tips::Name.withCount(n)).
//
// To add a tip: one TIP line here, with a pair no other row has.
#define SCRIVEL_TIPS(TIP) \
    TIP(FileMissing, 0, 0, Failure, " <b>没有发现</b>该文件!")                 /* cannot be opened */ \
    TIP(FileUnreadable, 0, 1, Failure, "该文件<b>不可读!</b>")                /* exists, cannot be read */ \
    TIP(FileUnwritable, 0, 2, Failure, " 该文件<b>不可写!</b>")               /* permission, read-only, disk full */ \
    TIP(SaveFailed, 0, 3, Failure, " 文件保存<b>失败</b>!")                   /* an editor's save */ \
    TIP(Saved, 0, 4, Success, " 文件保存<b>成功</b>!") \
    TIP(Unchanged, 0, 5, Info, " 文件内容<b>无变化</b>,保持原样!")            /* nothing to change: not rewritten */ \
    TIP(EncodingMismatch, 0, 6, Failure, " 该文件<b>编码不符!</b>内容不是当前编码的有效文本") \
    TIP(LeftoverRemoved, 0, 7, Info, " 已删除中断写入遗留的<b>临时文件</b>!")  /* a killed write's temporary file */ \
    TIP(FileTooLarge, 0, 8, Failure,                                          /* file or result beyond one text */ \
        " 该文件<b>过大</b>(接近或超过 1 GiB),无法作为一个文本处理,保持原样!") \
    TIP(NotRegular, 0, 9, Failure,                                            /* a pipe, socket, device or folder */ \
        " 该文件<b>不是普通文件</b>(命名管道、套接字、设备或文件夹),保持原样!") \
    TIP(NotKept, 0, 10, Failure,                                              /* previous content not kept for undo */ \
        " 该文件之前的内容<b>无法保留</b>以供撤销,未改写,保持原样!") \
    TIP(ChangedSincePreview, 0, 11, Failure,                                  /* edited after its preview: not applied */ \
        " 该文件在预览之后<b>已被修改</b>,未应用预览结果,保持原样!") \
    TIP(TablesUnequal, -1, 1, Failure, " 繁简转换:替换相关配置行数<b>不一致</b>!请【编辑对应转换文档】") \
    TIP(CustomUnequal, -1, 2, Failure, " 自定义转换:替换相关配置行数<b>不一致</b>!请【编辑对应替换文档】") \
    TIP(TablesEmpty, -1, 3, Info, " 繁简转换:替换相关配置文件没有内容,请添加(每行一个)!请【编辑对应转换文档】") \
    TIP(CustomEmpty, -1, 4, Info, " 自定义转换:替换相关配置文件没有替换内容,请添加(每行一个)!请【编辑对应替换文档】") \
    TIP(TablesInUse, -1, 5, Info,                                             /* the script tables a conversion uses */ \
        " 繁简转换:使用以上文件夹中的转换表(条数如上),可【编辑对应转换文档】修改或补充!") \
    TIP(UndecidedCharacters, -11, TipCode::Counted, Info,                   /* characters only the table chose */ \
        " 繁简转换:有 <b>%1</b> 个可对应多个字形的字没有词语或词组确定,已按单字表转换,请核对!") \
    TIP(BaseFailed, -2, 0, Failure, " 进制转换<b>失败</b>,请检查!")           /* a number line that does not parse */ \
    TIP(BaseSwapRefused, -3, 0, Failure, " 文本格式二<b>不支持</b>自定义格式切换!") \
    TIP(JobDone, -4, 0, Success, " 文件处理<b>完毕</b>! %1/%2")              /* one job ended, counted by the host */ \
    TIP(PoolFailed, -4, 1, Failure, " 线程池启动<b>失败</b>!") \
    TIP(AllDone, -4, 2, Success, "所有线程处理<b>全部完毕</b>!")               /* a start is over: its summary */ \
    TIP(JobCancelled, -4, 3, Info, " 处理已<b>取消</b>!")                     /* stopped by the user: its summary */ \
    TIP(PreviewDone, -4, 4, Success,                                          /* a preview is over: its counts */ \
        " 预览<b>完毕</b>!尚未写入任何文件,请在预览窗口中查看并应用。") \
    TIP(Cancelled, -6, 0, Failure, " 操作<b>取消</b>!参数设置有误,请检查!")     /* options unusable, nothing started */ \
    TIP(EmptyKeyRow, -7, 0, Failure, "<b>警告</b>:上一条[被替换关键字]为空,请补充!") \
    TIP(NoOperation, -9, 9, Failure, "<b> 未选择</b>:操作选项!")               /* start without an operation */ \
    TIP(CannotDecode, -10, 0, Failure, " 解码<b>失败</b>:内容不是有效的编码文本,文件未修改!") \
    TIP(PluginLoaded, 11, 11, Success, " 加载插件<b>成功</b>!") \
    TIP(PluginOpened, 11, 12, Info, " 插件打开!") \
    TIP(PluginClosed, 11, 13, Info, " 插件关闭!") \
    TIP(NothingToUndo, 12, 0, Info, " 撤销批处理:<b>没有</b>可撤销的批处理!") \
    TIP(Restored, 12, 1, Success, " 已<b>恢复</b>为批处理之前的内容!")        /* a file back as before its batch */ \
    TIP(ChangedSince, 12, 2, Failure, " 批处理之后已被修改,<b>未恢复</b>!")     /* changed after its batch: left alone */ \
    TIP(RestoreFailed, 12, 3, Failure, " 批处理之前的内容<b>恢复失败</b>!") \
    TIP(UndoDone, 12, 4, Success, " 撤销批处理<b>完毕</b>!(已恢复/共计)")      /* an undo's closing line */ \
    /* Why a batch could not keep previous contents, once per batch for the undo store's folder. */ \
    TIP(StoreFull, 12, 5, Failure, " 撤销存储所在的磁盘<b>已满</b>,无法保留文件之前的内容,这些文件未改写!") \
    TIP(StoreNoInodes, 12, 6, Failure,                                        \
        " 撤销存储所在的磁盘<b>没有可用的索引节点</b>(inode),无法保留文件之前的内容,这些文件未改写!") \
    TIP(StoreReadOnly, 12, 7, Failure,                                        /* read-only or no permission */ \
        " 撤销存储<b>只读或没有写入权限</b>,无法保留文件之前的内容,这些文件未改写!") \
    TIP(StoreFailed, 12, 8, Failure,                                          /* any other failure to write it */ \
        " 撤销存储<b>无法写入</b>,无法保留文件之前的内容,这些文件未改写!") \
    TIP(BinarySkipped, 14, TipCode::Counted, Info,                          /* a folder scan left these out */ \
        " 扫描目录:跳过了 <b>%1</b> 个看似二进制的文件(前 8 KiB 内有空字节),未加入列表!") \
    /* Presets and runs from the command line. */ \
    TIP(PresetSaved, 13, 0, Success, " 预设<b>已保存</b>!") \
    TIP(PresetLoaded, 13, 1, Success, " 预设<b>已载入</b>!") \
    TIP(PresetUnknownKey, 13, 2, Failure,                                     /* file name: preset and key */ \
        " 预设中的这一项<b>不对应</b>该操作页面上的任何选项,已忽略!") \
    TIP(PresetBadValue, 13, 3, Failure,                                       /* file name: preset and key */ \
        " 预设中这一项的<b>值不适用</b>于该选项(类型或范围不符),已忽略,该选项保持原样!") \
    TIP(PresetUnreadable, 13, 4, Failure, " 预设<b>无法读取</b>或不是有效的预设!") \
    TIP(PresetNotHere, 13, 5, Failure,                                        /* another plug-in's, or no such operation */ \
        " 预设属于<b>其他插件</b>,或其操作在本插件中不存在!") \
    TIP(PresetSaveFailed, 13, 6, Failure, " 预设<b>保存失败</b>!") \
    TIP(WouldChange, 13, 7, Info, " 文件<b>将被修改</b>(试运行,未写入)!")   /* a dry run's changed file */ \
    TIP(FreeText, 99, 99, Info, "")                                           /* the file name is the message */

// How a tip reads: it tells what happened, that something succeeded, or
// that something failed or was refused (the failure colour; counted as
// failed, kept and logged as a warning).
enum class TipSeverity { Info, Success, Failure };

struct TipCode
{
    int var1;
    int var2;

    // The var2 of a row that counts something (any var2 above 0).
    static constexpr int Counted = -0x7fffffff - 1;
    constexpr TipCode withCount(int count) const { return TipCode{var1, count}; }

    constexpr bool is(int v1, int v2) const { return var1 == v1 && var2 == v2; }
    constexpr bool operator==(const TipCode &other) const { return is(other.var1, other.var2); }
    constexpr bool operator!=(const TipCode &other) const { return !(*this == other); }
};

namespace Tips {

#define SCRIVEL_TIP_NAME(name, var1, var2, severity, text) inline constexpr TipCode name{var1, var2};
SCRIVEL_TIPS(SCRIVEL_TIP_NAME)
#undef SCRIVEL_TIP_NAME

} // namespace Tips

#endif // TIPCODES_H
