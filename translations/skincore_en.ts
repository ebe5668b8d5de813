<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>UiLanguage</name>
    <message>
        <source>--lang 只能是 zh 或 en，而不是“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--lang 需要 zh 或 en</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skinmaker-cli</name>
    <message>
        <source>警告：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到文件“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法解码图片“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>角的名称“%1”错误（应为 lefttop、righttop、leftbottom 或 rightbottom）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>裁剪区域 %1 为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图片太小，放不下 700:61 的头图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>裁剪区域 %1 不在 %2x%3 的图片之内</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>裁剪区域中没有不透明的像素，无法从中取色（--color auto）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”是一个文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”已存在（要覆盖它请加 --force）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”是皮肤包，不是图片；修改皮肤包请用 edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拉伸区域 %1 必须是裁剪区域 %2 之内的非空区域，并在左右两边都留出裁剪区域的一部分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>控件“%1”的大小 %2x%3 与其影片的舞台大小 %4x%5 不同</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>控件“%1”不是可读的 Flash 影片（SWF）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一个皮肤最多有 %1 个附加控件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>装饰“%1”不是可读的 PNG 图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>皮肤名称为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>角 %1 有两个装饰</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>皮肤包在角 %1 没有装饰</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>皮肤包中没有控件 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>皮肤包“%1”中没有可用的顶部图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”已存在，但不是文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法创建文件夹“%1”：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法解压“%1”：它超出了皮肤包的限制（最多 %2 个文件，每个文件最多 %3 MB，总共最多 %4 MB）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法解压“%1”：其中有几个文件共用同一段数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法解压“%1”：皮肤包已损坏或无法读取</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口宽度 %1 太窄：头图左右两段（加上窗口边框）共 %2 像素，播放器窗口不会比这更窄。请给出至少 %2 的 --width。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口高度 %1 太小：至少要 %2 像素。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已写入 %1：画布 %2x%3，播放器窗口 %4x%5 位于 (%6, %7)。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用法：
  skinmaker-cli build -o OUT.vsf --picture FILE --name NAME [选项]
  skinmaker-cli edit PKG.vsf -o OUT.vsf [选项]
  skinmaker-cli info PKG.vsf
  skinmaker-cli extract PKG.vsf DIR
  skinmaker-cli suggest --picture FILE [--crop L,T,R,B]
  skinmaker-cli thumbnail PKG.vsf OUT.png --size N
  skinmaker-cli render PKG.vsf OUT.png [--width W] [--height H]
  skinmaker-cli --help | --version

build：用一张 JPEG、BMP 或 PNG 图片制作皮肤包。
  -o OUT.vsf                    要写入的皮肤包
  --picture FILE                源图片
  --name NAME                   播放器显示的皮肤名称（按 GBK 保存，最多 255 字节）
  --crop L,T,R,B                头图在图片中的区域（图片像素）；
                                默认：居中的最大 700:61 矩形
  --stretch L,T,R,B             播放器拉伸或平铺的区域；必须在裁剪区域之内，
                                并在左右两边都留出裁剪区域的一部分
  --tile | --no-tile            平铺拉伸区域 | 拉伸它（默认）
  --color #RRGGBB|auto|none     播放器外框的主色；none（默认）保留图片原有的颜色；
                                auto 取 suggest 对裁剪区域给出的第一种颜色
  --white-tabs | --black-tabs   标签文字为白色 | 黑色（默认）
  --thumbnail FILE              60x37 缩略图所用的图片（默认：从头图右端截取）
  --decoration CORNER=FILE[@X,Y]
                                角上的 PNG 装饰，X,Y 为它的偏移（可重复）；
                                不给 X,Y 时像向导一样居中放在该角上
  --control CORNER=FILE[@X,Y[,W,H]]
                                角上的 Flash 控件（SWF 影片），位置 X,Y，大小 W,H（可重复）；
                                不给 W,H 时取影片的舞台大小，不给 X,Y 时像向导一样
                                居中放在该角上；W,H 与舞台大小不同时给出警告。
                                每个角的第一个控件是角控件，之后的是附加控件（最多 20 个）
  --force                       覆盖已存在的 OUT（否则拒绝）
  CORNER 为 lefttop、righttop、leftbottom 或 rightbottom。
  位置是从角点到装饰或控件左上角的偏移（角点减左上角），与皮肤包中保存的一样。

edit：像向导一样打开皮肤包 PKG（整幅头图、读到的颜色数值原样保留），按选项修改后保存为 OUT。
  不给选项时，OUT 中的每个文件都与 PKG 中的逐字节相同（conf.ini 的 name 取 OUT 的文件名）。
  可用 build 的 --name、--color、--tile | --no-tile、--white-tabs | --black-tabs、
  --thumbnail、--decoration（替换该角原有的装饰）、--control（添加控件）、--force，以及：
  --move-decoration CORNER@X,Y  把该角的装饰移到偏移 X,Y
  --remove-decoration CORNER    去掉该角的装饰
  --move-control MEMBER@X,Y[,W,H]
                                移动控件（给出 W,H 时也改变大小）；MEMBER 是 info 列出的
                                控件文件名，如 topleft.swf 或 swfcontrol2.swf
  --remove-control MEMBER       去掉该控件；去掉角控件时，同一角的第一个附加控件成为角控件
  移动和去掉按打开的皮肤包中的文件名指定控件，在添加之前进行。OUT 可以就是 PKG（需要 --force）。

info：读取皮肤包，在标准输出打印一个 JSON 对象，含 &quot;name&quot;、&quot;showname&quot;、
  &quot;color&quot;（&quot;#RRGGBB&quot; 或 null）、&quot;hue&quot;、&quot;sat&quot;、&quot;light&quot;、&quot;white&quot;、&quot;tile&quot;、&quot;stretch&quot;
  （[l, t, r, b] 或 null）、&quot;header&quot;（拼接后头图的 {&quot;width&quot;, &quot;height&quot;} 或 null）、
  &quot;decorations&quot;、&quot;controls&quot;（先角控件，后附加控件；各带 &quot;member&quot; 和影片的舞台大小
  &quot;stage&quot; [w, h]，影片无法读取时为 null）和 &quot;members&quot;。

extract：把皮肤包的所有文件解压到 DIR（不存在时创建）。超过 %1 个文件、单个文件超过 %2 MB、
  总共超过 %3 MB 或有文件共用同一段数据的皮肤包会被拒绝；不会通过符号链接写入任何文件。

thumbnail：把皮肤包自带的缩略图（small.bmp）缩放到 N x N 像素以内（1..1024），保存为 PNG；
  文件管理器通过安装的缩略图程序调用它。

render：把穿上该皮肤的播放器画成 PNG：头图按播放器的方式在窗口宽度上拉伸或平铺，
  装饰画在它们的位置（画布随之扩大）。窗口默认 704x480；宽度不能小于头图左右两段之和。
  命令行工具不播放 Flash：控件画成标有文件名的方框。

suggest：从图片的裁剪区域（默认与 build 相同）取出主色，最好的在前，最多四种，打印为
  {&quot;color&quot;: &quot;#RRGGBB&quot;, &quot;share&quot;, &quot;hue&quot;} 的 JSON 数组：share 是裁剪区域中属于该颜色色系
  （色相相差 15 度以内；灰色图片的唯一灰色包括所有灰色）的比例（0..1），hue 是颜色的色相（0..359 度）。

退出码：0 成功；1 错误（文件不存在或无法解码、裁剪区域为空或超出图片、--color auto 时
裁剪区域没有不透明的像素、角的名称错误、控件不是可读的 SWF 影片、名称无法保存、皮肤包无法读取
或超出限制等）；2 用法错误。
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知的选项 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 需要一个值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 给出了两次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 需要四个整数 L,T,R,B，而不是“%2”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--color 需要 #RRGGBB、auto 或 none，而不是“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--decoration 需要 CORNER=FILE[@X,Y]，而不是“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--control 需要 CORNER=FILE[@X,Y[,W,H]]，而不是“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 需要 %2，而不是“%3”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 不能用于 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 不带值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>edit 需要一个皮肤包：edit PKG.vsf -o OUT.vsf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>多余的参数 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 需要 -o OUT.vsf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>build 需要 --picture FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>build 需要 --name NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>suggest 需要 --picture FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>thumbnail 需要一个皮肤包、一个 PNG 文件和大小：thumbnail PKG.vsf OUT.png --size N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--size 需要 1 到 1024 之间的像素数，而不是“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 需要 1 到 10000 之间的像素数，而不是“%2”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>render 需要一个皮肤包和一个 PNG 文件：render PKG.vsf OUT.png [--width W] [--height H]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有给出命令</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>info 需要一个皮肤包：info PKG.vsf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extract 需要一个皮肤包和一个文件夹：extract PKG.vsf DIR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知的命令 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用法见“skinmaker-cli --help”。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
