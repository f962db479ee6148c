// The help text of tab 12, one line per entry.
#include "shell/help_text.h"

#include <QStringList>

namespace shell {

QString helpText() {
    // Item lines carry their two leading blanks here, as they are shown.
    static const QStringList kLines = {
        QStringLiteral("一、功能："),
        QStringLiteral("  1.\"数值大小加增\"是将符合限制条件的数字增加一个数，比如，某种颜色的数字"
                       "同一增加66；"),
        QStringLiteral("  2.\"数值大小倍增\"是将符合限制条件的数字乘以一个数，比如，某种字体的数字"
                       "同一乘以6.6；"),
        QStringLiteral("  3.\"字符大小加增\"是将符合限制条件的字符高度增加一个数(宽度相应改变)，"
                       "比如，某种颜色的字符高度由6加2变为8；"),
        QStringLiteral("  4.\"字符大小倍增\"是将符合限制条件的字符高度乘以一个数(宽度相应改变)，"
                       "比如，某种字体的字符高度由6乘以2变为12；"),
        QStringLiteral("  5.\"电气图形符号\"是常用的电气图例；"),
        QStringLiteral("  6.\"电力弧垂曲线\"是根据计算系数拟合弧垂曲线；"),
        QStringLiteral("  7.\"处理多行文字\"是对AutoCAD的Mtext进行编辑；"),
        QStringLiteral("  8.\"实用功能集粹\"是对AutoCAD的命令不足的补充；"),
        QStringLiteral("  9.\"统计线条长度\"是将符合限制条件的线的长度进行统计，比如，某层上的线"
                       "总计256米；"),
        QStringLiteral("  10.\"统计块的个数\"是将符合限制条件的块的数量进行统计，比如，某层上的块"
                       "(也许是灯具)总计66个；"),
        QStringLiteral("  11.\"对象属性转换\"是将对象的属性转换为预期属性，比如，将某些字符由Fszf"
                       "改为Hztxt；"),
        QStringLiteral("  12.\"电缆型号查询\"是根据条件选择电缆。"),
        QStringLiteral("二、操作："),
        QStringLiteral("  1.注意左下角的提示；"),
        QStringLiteral("  2.大多数功能都有\"全域操作\"和\"选择操作\"；"),
        QStringLiteral("  3.\"全域操作\"指在整个图形文档内操作；"),
        QStringLiteral("  4.\"选择操作\"指对选择对象进行操作；"),
        QStringLiteral("三、实用功能集粹介绍："),
        QStringLiteral("  1.\"物体位置互调\"指将选择的两个物体插入点进行对调；"),
        QStringLiteral("  2.\"同形异名字型整理\"指将相同字型但名字不一样的字型进行名称统一，比如"
                       "Standard的SHX字体为Txt.shx，大字体为Fszf.shx，而NewStyle的SHX字体也为"
                       "Txt.shx，大字体也为Fszf.shx，这时可以进行名称统一，将NewStyle改为"
                       "Standard，同时图中对应文字也随之改变；"),
        QStringLiteral("  3.\"遗忘改层\"，也许由于疏忽，画图时忘了设新层，画了很多以后才想起，"
                       "这时可以利用\"遗忘改层\"，将你刚开始画的某个实体(比如一段线)以后画的"
                       "所有东西挪至新建层上；"),
        QStringLiteral("  4.\"单行文字左对齐\"将选择的单行文字以左端对齐；"),
        QStringLiteral("  5.\"所选数值相加\"将选择的数字相加；"),
        QStringLiteral("  6.\"判断图框大小\"判断图框的大小。"),
        QStringLiteral("四、处理多行文字介绍："),
        QStringLiteral("  1.本身就是一个完善的记事本软件；"),
        QStringLiteral("  2.由于AutoCAD中文字处理不便，可以在这儿进行文字处理；"),
        QStringLiteral("  3.可以将图中的多处多行文字进行合并；"),
        QStringLiteral("  4.可以将图中的多处单行文字根据选择次序合并为多行文字，且宽度可调。"),
        QStringLiteral("五、注意事项："),
        QStringLiteral("  1.\"统计线条长度\"中选择\"所在层名\"、\"线型类型\"、\"线型颜色\"时，"
                       "统计的是对应条件下所有直线和圆弧的总和；"),
    };
    return kLines.join(QStringLiteral("\r\n"));
}

}  // namespace shell
