#ifndef CONVERSIONCASES_H
#define CONVERSIONCASES_H

// Known hard cases of simplified/traditional conversion: phrases of the
// conversion table that straddle two words (前头发生: 头发 against 前头 +
// 发生), and characters of more than one traditional form (发: 發 髮; 干:
// 乾 幹 干; 后: 後 后; 面: 面 麵; 只: 只 隻 ...) in ordinary sentences. Each
// case is one short text with its correct conversion. Shared by the quality
// test and bench_conversions.
//
// How the forms were checked. The character chosen for each word follows
// the Ministry of Education's 《重編國語辭典修訂本》 (Taiwan), which lists
// the word under that form (頭髮, 發生, 乾淨, 幹部, 若干, 麵條, 方面, 皇后,
// 後來, 一隻, 只是, 鬍鬚, 颱風, 舞臺 ...); the simplified forms of the cases
// read backwards follow 《现代汉语词典》 (第7版) and 《通用规范汉字表》
// (2013), which keep 乾 in 乾隆/乾坤, 著 in 著名 and 徵 as zhǐ. The
// characters that are no part of the question are written in the standard
// forms of the converter's literal traditional script (the OpenCC
// standard: 裏 for 里, 牀 for 床, 着 for 着, and 麪 for the 麵 of noodles),
// so that only the decision a case is about can make it fail.

struct ConversionCase
{
    const char *text;
    const char *expected;
    int direction; // 0: simplified to literal traditional; 3: literal traditional to simplified
};

static const ConversionCase conversionCases[] = {
    // A phrase across two words.
    {"前头发生了什么", "前頭發生了什麼", 0},
    {"一个中年人", "一個中年人", 0},
    {"这个中学很大", "這個中學很大", 0},
    {"每个中国人", "每個中國人", 0},
    {"整个中午都在下雨", "整個中午都在下雨", 0},
    {"这方面条件很好", "這方面條件很好", 0},
    {"各方面条件都不错", "各方面條件都不錯", 0},
    {"皇后来了", "皇后來了", 0},
    {"太后来到宫中", "太后來到宮中", 0},
    {"王后来访", "王后來訪", 0},
    {"皇后面前", "皇后面前", 0},
    {"他的回答复杂难懂", "他的回答複雜難懂", 0},
    {"舞台风格", "舞臺風格", 0},
    {"平台风险", "平臺風險", 0},
    {"在床头发现一封信", "在牀頭發現一封信", 0},
    {"外头发生了车祸", "外頭發生了車禍", 0},
    {"他在前头发言", "他在前頭發言", 0},
    {"心头发热", "心頭發熱", 0},
    {"这只是开始", "這只是開始", 0},
    {"那只是误会", "那只是誤會", 0},
    {"这里面包括三个部分", "這裏面包括三個部分", 0},
    {"一个中心两个基本点", "一個中心兩個基本點", 0},
    // One character, several traditional forms, decided by the word.
    {"她的头发很长", "她的頭髮很長", 0},
    {"他去理发了", "他去理髮了", 0},
    {"白发苍苍", "白髮蒼蒼", 0},
    {"新的发型", "新的髮型", 0},
    {"我们发现了问题", "我們發現了問題", 0},
    {"经济发展很快", "經濟發展很快", 0},
    {"把桌子擦干净", "把桌子擦乾淨", 0},
    {"他是一名干部", "他是一名幹部", 0},
    {"大家一起干杯", "大家一起乾杯", 0},
    {"你在干什么", "你在幹什麼", 0},
    {"若干年以后", "若干年以後", 0},
    {"不要干扰他", "不要干擾他", 0},
    {"树干很粗", "樹幹很粗", 0},
    {"天气很干燥", "天氣很乾燥", 0},
    {"一碗面条", "一碗麪條", 0},
    {"我们明天见面", "我們明天見面", 0},
    {"买方便面", "買方便麪", 0},
    {"买了一袋面粉", "買了一袋麪粉", 0},
    {"后来他走了", "後來他走了", 0},
    {"以后再说", "以後再說", 0},
    {"一只手", "一隻手", 0},
    {"两只猫", "兩隻貓", 0},
    {"只有一个人", "只有一個人", 0},
    {"港口的船只", "港口的船隻", 0},
    {"操作系统", "操作系統", 0},
    {"我们保持联系", "我們保持聯繫", 0},
    {"没有关系", "沒有關係", 0},
    {"墙上的日历", "牆上的日曆", 0},
    {"中国历史", "中國歷史", 0},
    {"一块手表", "一塊手錶", 0},
    {"他表示同意", "他表示同意", 0},
    {"放松一下", "放鬆一下", 0},
    {"山上的松树", "山上的松樹", 0},
    {"艰苦奋斗", "艱苦奮鬥", 0},
    {"北斗七星", "北斗七星", 0},
    {"台风来了", "颱風來了", 0},
    {"准备出发", "準備出發", 0},
    {"上级批准了", "上級批准了", 0},
    {"发生冲突", "發生衝突", 0},
    {"丑陋的面目", "醜陋的面目", 0},
    {"马戏团的小丑", "馬戲團的小丑", 0},
    {"情况很复杂", "情況很複雜", 0},
    {"恢复健康", "恢復健康", 0},
    {"请尽快答复", "請儘快答覆", 0},
    {"今年的收获", "今年的收穫", 0},
    {"获得冠军", "獲得冠軍", 0},
    {"尽管如此", "儘管如此", 0},
    {"我会尽力", "我會盡力", 0},
    {"研究范围", "研究範圍", 0},
    {"金黄的稻谷", "金黃的稻穀", 0},
    {"深深的山谷", "深深的山谷", 0},
    {"关于这件事", "關於這件事", 0},
    {"其余的人", "其餘的人", 0},
    {"制造汽车", "製造汽車", 0},
    {"社会制度", "社會制度", 0},
    {"征求意见", "徵求意見", 0},
    {"一本杂志", "一本雜誌", 0},
    {"做工精致", "做工精緻", 0},
    {"穿着朴素", "穿着樸素", 0},
    {"请在这里签名", "請在這裏簽名", 0},
    {"贴上标签", "貼上標籤", 0},
    {"去银行汇款", "去銀行匯款", 0},
    {"丰富的词汇", "豐富的詞彙", 0},
    {"几个人", "幾個人", 0},
    {"客厅的茶几", "客廳的茶几", 0},
    {"荡秋千", "盪鞦韆", 0},
    {"心脏病", "心臟病", 0},
    {"肮脏的衣服", "骯髒的衣服", 0},
    {"呼吁和平", "呼籲和平", 0},
    {"刮胡须", "刮鬍鬚", 0},
    {"外面刮风了", "外面颳風了", 0},
    {"去海边旅游", "去海邊旅遊", 0},
    {"他会游泳", "他會游泳", 0},
    {"开辟新航线", "開闢新航線", 0},
    {"舍不得离开", "捨不得離開", 0},
    {"学生宿舍", "學生宿舍", 0},
    // Read backwards: a traditional character of more than one simplified form.
    {"乾燥的天氣", "干燥的天气", 3},
    {"乾隆皇帝", "乾隆皇帝", 3},
    {"著名作家", "著名作家", 3},
    {"他瞭解情況", "他了解情况", 3},
    {"剩餘的錢", "剩余的钱", 3},
    {"瀋陽市", "沈阳市", 3},
    {"宮商角徵羽", "宫商角徵羽", 3},
    {"覆蓋全國", "覆盖全国", 3},
    {"請儘快答覆", "请尽快答复", 3},
};

static const int conversionCaseCount = int(sizeof conversionCases / sizeof *conversionCases);

#endif // CONVERSIONCASES_H
