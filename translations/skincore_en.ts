<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CWebFlashFrameDlg</name>
    <message>
        <source>左上角</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>右上角</source>
        <translation>Top right</translation>
    </message>
    <message>
        <source>左下角</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <source>右下角</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>Vadi动态控件</source>
        <translation>Vadi gallery control</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Corner</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>路径</source>
        <translation>Path</translation>
    </message>
</context>
<context>
    <name>ColorNames</name>
    <message>
        <source>红色</source>
        <translation>red</translation>
    </message>
    <message>
        <source>橙色</source>
        <translation>orange</translation>
    </message>
    <message>
        <source>黄色</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>green</translation>
    </message>
    <message>
        <source>青色</source>
        <translation>cyan</translation>
    </message>
    <message>
        <source>蓝色</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>紫色</source>
        <translation>purple</translation>
    </message>
    <message>
        <source>粉色</source>
        <translation>pink</translation>
    </message>
    <message>
        <source>黑色</source>
        <translation>black</translation>
    </message>
    <message>
        <source>白色</source>
        <translation>white</translation>
    </message>
    <message>
        <source>深灰色</source>
        <translation>dark gray</translation>
    </message>
    <message>
        <source>浅灰色</source>
        <translation>light gray</translation>
    </message>
    <message>
        <source>灰色</source>
        <translation>gray</translation>
    </message>
    <message>
        <source>深%1</source>
        <translation>dark %1</translation>
    </message>
    <message>
        <source>浅%1</source>
        <translation>light %1</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A colour&apos;s name and its hex value, as in &quot;blue (#2E7BCF)&quot;</extracomment>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>HeaderStrips</name>
    <message>
        <source>顶部图片“%1”要缩放到 %2×%3 像素，超过了缩放的上限（宽和高最多 %4 像素）。请缩小裁剪区域的宽度或调整拉伸区域。</source>
        <translation>The header picture “%1” would be scaled to %2×%3 pixels, more than scaling allows (at most %4 pixels wide and high). Make the crop region narrower or change the stretch region.</translation>
    </message>
    <message>
        <source>顶部图片“%1”有 %2×%3 像素，超过了皮肤包中每个文件 %4 MB 的上限。请缩小裁剪区域，或设置拉伸区域（顶部图片会缩放到 61 像素高）。</source>
        <translation>The header picture “%1” has %2×%3 pixels, more than the %4 MB a file in a skin package may have. Make the crop region smaller, or set a stretch region (the header picture is then scaled to 61 pixels high).</translation>
    </message>
</context>
<context>
    <name>PackageThumbnail</name>
    <message>
        <source>“%1”不是可读的皮肤包。</source>
        <translation>“%1” is not a readable skin package.</translation>
    </message>
    <message>
        <source>皮肤包“%1”中没有缩略图。</source>
        <translation>The skin package “%1” has no thumbnail.</translation>
    </message>
    <message>
        <source>皮肤包“%1”的缩略图过大。</source>
        <translation>The thumbnail of the skin package “%1” is too large.</translation>
    </message>
    <message>
        <source>无法读取皮肤包“%1”的缩略图。</source>
        <translation>Could not read the thumbnail of the skin package “%1”.</translation>
    </message>
    <message>
        <source>无法解码皮肤包“%1”的缩略图。</source>
        <translation>Could not decode the thumbnail of the skin package “%1”.</translation>
    </message>
</context>
<context>
    <name>PlayerLookup</name>
    <message>
        <source>无法启动音乐盒：%1</source>
        <translation>Could not start Vadi Music Box: %1</translation>
    </message>
    <message>
        <source>未找到 Wine，无法启动音乐盒。请先安装 Wine（sudo apt install wine）后再试。</source>
        <translation>Wine was not found, so Vadi Music Box cannot start. Please install Wine (sudo apt install wine) and try again.</translation>
    </message>
</context>
<context>
    <name>RecoveryFile</name>
    <message>
        <source>恢复文件%1已损坏，无法恢复。</source>
        <translation>The recovery file %1 is damaged and cannot be restored.</translation>
    </message>
    <message>
        <source>无法设置恢复文件夹%1的权限。</source>
        <translation>Could not set the permissions of the recovery folder %1.</translation>
    </message>
    <message>
        <source>无法把文件%1复制到恢复文件夹%2。</source>
        <translation>Could not copy the file %1 into the recovery folder %2.</translation>
    </message>
    <message>
        <source>无法写入恢复文件%1。</source>
        <translation>Could not write the recovery file %1.</translation>
    </message>
    <message>
        <source>没有找到恢复文件%1。</source>
        <translation>The recovery file %1 was not found.</translation>
    </message>
    <message>
        <source>%1不是有效的恢复文件（最多 %2 KB），无法恢复。</source>
        <translation>%1 is not a valid recovery file (at most %2 KB) and cannot be restored.</translation>
    </message>
    <message>
        <source>无法读取恢复文件%1。</source>
        <translation>Could not read the recovery file %1.</translation>
    </message>
    <message>
        <source>%1不是本程序的恢复文件，无法恢复。</source>
        <translation>%1 is not a recovery file of this program and cannot be restored.</translation>
    </message>
    <message>
        <source>恢复文件%1来自更新版本的皮肤制作工具，此版本无法恢复它。</source>
        <translation>The recovery file %1 comes from a newer version of the skin maker; this version cannot restore it.</translation>
    </message>
    <message>
        <source>皮肤的内容过多，无法写入恢复文件%1。</source>
        <translation>The skin holds too much to be written to the recovery file %1.</translation>
    </message>
</context>
<context>
    <name>SiteLinks</name>
    <message>
        <source>无法打开网页：本机的网站没有启动，也没有设置 SKINMAKER_SITE。</source>
        <translation>Could not open the web page: the local site has not started and SKINMAKER_SITE is not set.</translation>
    </message>
</context>
<context>
    <name>SkinDocument</name>
    <message>
        <source>更换图片</source>
        <translation>Change Picture</translation>
    </message>
    <message>
        <source>调整裁剪区域</source>
        <translation>Adjust Crop</translation>
    </message>
    <message>
        <source>更改主色调</source>
        <translation>Change Main Colour</translation>
    </message>
    <message>
        <source>更改标签文字颜色</source>
        <translation>Change Tab Text Colour</translation>
    </message>
    <message>
        <source>调整拉伸区域</source>
        <translation>Adjust Stretch Region</translation>
    </message>
    <message>
        <source>更改拉伸方式</source>
        <translation>Change Stretch Mode</translation>
    </message>
    <message>
        <source>更换边框装饰</source>
        <translation>Replace Decoration</translation>
    </message>
    <message>
        <source>添加边框装饰</source>
        <translation>Add Decoration</translation>
    </message>
    <message>
        <source>添加控件</source>
        <translation>Add Control</translation>
    </message>
    <message>
        <source>更换控件</source>
        <translation>Replace Control</translation>
    </message>
    <message>
        <source>移动边框装饰</source>
        <translation>Move Decoration</translation>
    </message>
    <message>
        <source>移动控件</source>
        <translation>Move Control</translation>
    </message>
    <message>
        <source>调整控件大小</source>
        <translation>Resize Control</translation>
    </message>
    <message>
        <source>删除边框装饰</source>
        <translation>Remove Decoration</translation>
    </message>
    <message>
        <source>删除控件</source>
        <translation>Remove Control</translation>
    </message>
    <message>
        <source>删除所有边框装饰</source>
        <translation>Remove All Decorations</translation>
    </message>
    <message>
        <source>删除所有控件</source>
        <translation>Remove All Controls</translation>
    </message>
    <message>
        <source>还原边框装饰</source>
        <translation>Restore Decorations</translation>
    </message>
    <message>
        <source>还原控件</source>
        <translation>Restore Controls</translation>
    </message>
    <message>
        <source>取消自选缩略图</source>
        <translation>Use Default Thumbnail</translation>
    </message>
    <message>
        <source>更换缩略图</source>
        <translation>Change Thumbnail</translation>
    </message>
    <message>
        <source>更改皮肤名称</source>
        <translation>Rename Skin</translation>
    </message>
</context>
<context>
    <name>SkinFolders</name>
    <message>
        <source>文件夹%1是一个符号链接，为安全起见不会使用它。</source>
        <translation>The folder %1 is a symbolic link; for safety it is not used.</translation>
    </message>
    <message>
        <source>文件夹%1属于其他用户，为安全起见不会使用它。</source>
        <translation>The folder %1 belongs to another user; for safety it is not used.</translation>
    </message>
    <message>
        <source>无法创建文件夹%1。</source>
        <translation>Could not create the folder %1.</translation>
    </message>
    <message>
        <source>%1不是可用的文件夹。</source>
        <translation>%1 is not a usable folder.</translation>
    </message>
    <message>
        <source>无法把文件夹%1设为仅自己可用。</source>
        <translation>Could not make the folder %1 private to you.</translation>
    </message>
    <message>
        <source>无法读取文件夹%1。</source>
        <translation>Could not read the folder %1.</translation>
    </message>
    <message>
        <source>无法删除文件%1。</source>
        <translation>Could not delete the file %1.</translation>
    </message>
    <message>
        <source>无法删除文件夹%1。</source>
        <translation>Could not delete the folder %1.</translation>
    </message>
</context>
<context>
    <name>SkinPackage</name>
    <message>
        <source>皮肤名称不能包含控制字符（如换行）。</source>
        <translation>The skin name cannot contain control characters (such as line breaks).</translation>
    </message>
    <message>
        <source>皮肤名称中的字符“%1”无法保存，请换用其他字符。</source>
        <translation>The characters “%1” in the skin name cannot be saved. Please use other characters.</translation>
    </message>
    <message>
        <source>皮肤名称太长，请缩短后再保存。</source>
        <translation>The skin name is too long. Please shorten it and save again.</translation>
    </message>
    <message>
        <source>没有可用的图片，请先选择图片。</source>
        <translation>There is no picture to use. Please choose a picture first.</translation>
    </message>
    <message>
        <source>图片的裁剪区域为空。</source>
        <translation>The crop region of the picture is empty.</translation>
    </message>
    <message>
        <source>皮肤包的文件名%1含有无法保存的字符，请换一个文件名。</source>
        <translation>The skin package file name %1 has characters that cannot be saved. Please choose another file name.</translation>
    </message>
    <message>
        <source>附加控件的位置数据无效。</source>
        <translation>The positions of the extra flash controls are not valid.</translation>
    </message>
    <message>
        <source>无法加载缩略图%1。</source>
        <translation>Could not load the thumbnail %1.</translation>
    </message>
    <message>
        <source>无法生成皮肤图片%1。</source>
        <translation>Could not make the skin picture %1.</translation>
    </message>
    <message>
        <source>无法生成缩略图。</source>
        <translation>Could not make the thumbnail.</translation>
    </message>
    <message>
        <source>无法读取临时文件%1。</source>
        <translation>Could not read the temporary file %1.</translation>
    </message>
    <message>
        <source>无法写入皮肤描述文件%1。</source>
        <translation>Could not write the skin description file %1.</translation>
    </message>
    <message>
        <source>无法读取文件%1。</source>
        <translation>Could not read the file %1.</translation>
    </message>
    <message>
        <source>无法写入皮肤包%1，请检查文件夹是否存在且可写。</source>
        <translation>Could not write the skin package %1. Please check that the folder exists and is writable.</translation>
    </message>
    <message>
        <source>皮肤包“%1”超出了皮肤包的大小限制（最多 %2 个文件，每个文件最多 %3 MB，总共最多 %4 MB），不会解压。</source>
        <translation>The skin package “%1” is over the size limits of a skin package (at most %2 files, %3 MB per file and %4 MB in all), so it is not extracted.</translation>
    </message>
    <message>
        <source>皮肤包“%1”中有几个文件共用同一段数据，不是有效的皮肤包，不会解压。</source>
        <translation>Several files in the skin package “%1” share the same data. It is not a valid skin package and is not extracted.</translation>
    </message>
    <message>
        <source>无法解压皮肤包“%1”，文件可能已损坏。</source>
        <translation>Could not extract the skin package “%1”; the file may be damaged.</translation>
    </message>
    <message>
        <source>皮肤包“%1”中的描述文件或缩略图过大（描述文件最多 %2 KB，缩略图最多 %3 万像素），不是有效的皮肤包。</source>
        <translation>The description file or the thumbnail in the skin package “%1” is too large (description file at most %2 KB, thumbnail at most %3 × 10,000 pixels). It is not a valid skin package.</translation>
    </message>
    <message>
        <source>皮肤包“%1”中的顶部图片过大（最多 %2 万像素）。</source>
        <translation>The header picture in the skin package “%1” is too large (at most %2 × 10,000 pixels).</translation>
    </message>
    <message>
        <source>皮肤包“%1”中的顶部图片无法拼接。</source>
        <translation>The parts of the header picture in the skin package “%1” cannot be joined.</translation>
    </message>
    <message>
        <source>找不到皮肤包“%1”。</source>
        <translation>The skin package “%1” was not found.</translation>
    </message>
    <message>
        <source>皮肤名称不能包含“/”或“\”。</source>
        <translation>A skin name cannot contain “/” or “\”.</translation>
    </message>
    <message>
        <source>皮肤包“%1”中的边框装饰图片过大（每边最多 %2 像素，合计最多 %3 万像素），不是有效的皮肤包。</source>
        <translation>The decoration pictures in the skin package “%1” are too large (at most %2 pixels a side, %3 × 10,000 pixels all together). It is not a valid skin package.</translation>
    </message>
    <message>
        <source>皮肤包“%1”中有 %2 个装饰或控件的位置或大小超出范围（位置最多偏离 %3 像素，大小最多 %4 像素），已改为范围内最接近的值。</source>
        <translation>In the skin package “%1”, %2 places or sizes of decorations or controls are out of range (places at most %3 pixels off, sizes at most %4 pixels); they were changed to the nearest value in range.</translation>
    </message>
</context>
<context>
    <name>SkinViewPicture</name>
    <message>
        <source>无法读取皮肤的顶部图片“%1”。</source>
        <translation>Could not read the skin’s header picture “%1”.</translation>
    </message>
    <message>
        <source>无法读取边框装饰图片“%1”。</source>
        <translation>Could not read the decoration picture “%1”.</translation>
    </message>
</context>
<context>
    <name>UiLanguage</name>
    <message>
        <source>--lang 只能是 zh 或 en，而不是“%1”</source>
        <translation>--lang must be zh or en, not “%1”</translation>
    </message>
    <message>
        <source>--lang 需要 zh 或 en</source>
        <translation>--lang needs zh or en</translation>
    </message>
</context>
<context>
    <name>skinmaker-cli</name>
    <message>
        <source>警告：%1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>找不到文件“%1”</source>
        <translation>file “%1” not found</translation>
    </message>
    <message>
        <source>无法解码图片“%1”</source>
        <translation>cannot decode the picture “%1”</translation>
    </message>
    <message>
        <source>角的名称“%1”错误（应为 lefttop、righttop、leftbottom 或 rightbottom）</source>
        <translation>wrong corner name “%1” (must be lefttop, righttop, leftbottom or rightbottom)</translation>
    </message>
    <message>
        <source>裁剪区域 %1 为空</source>
        <translation>the crop region %1 is empty</translation>
    </message>
    <message>
        <source>图片太小，放不下 700:61 的头图</source>
        <translation>the picture is too small for a 700:61 header picture</translation>
    </message>
    <message>
        <source>裁剪区域 %1 不在 %2x%3 的图片之内</source>
        <translation>the crop region %1 is not inside the %2x%3 picture</translation>
    </message>
    <message>
        <source>裁剪区域中没有不透明的像素，无法从中取色（--color auto）</source>
        <translation>the crop region has no opaque pixel to take a color from (--color auto)</translation>
    </message>
    <message>
        <source>“%1”是一个文件夹</source>
        <translation>“%1” is a folder</translation>
    </message>
    <message>
        <source>“%1”已存在（要覆盖它请加 --force）</source>
        <translation>“%1” exists (add --force to overwrite it)</translation>
    </message>
    <message>
        <source>“%1”是皮肤包，不是图片；修改皮肤包请用 edit</source>
        <translation>“%1” is a skin package, not a picture; use edit to change a skin package</translation>
    </message>
    <message>
        <source>拉伸区域 %1 必须是裁剪区域 %2 之内的非空区域，并在左右两边都留出裁剪区域的一部分</source>
        <translation>the stretch region %1 must be a non-empty region inside the crop region %2 that leaves part of the crop region on both the left and the right</translation>
    </message>
    <message>
        <source>控件“%1”的大小 %2x%3 与其影片的舞台大小 %4x%5 不同</source>
        <translation>the size %2x%3 of the control “%1” differs from its movie’s stage size %4x%5</translation>
    </message>
    <message>
        <source>控件“%1”不是可读的 Flash 影片（SWF）</source>
        <translation>the control “%1” is not a readable Flash movie (SWF)</translation>
    </message>
    <message>
        <source>一个皮肤最多有 %1 个附加控件</source>
        <translation>a skin has at most %1 extra controls</translation>
    </message>
    <message>
        <source>装饰“%1”不是可读的 PNG 图片</source>
        <translation>the decoration “%1” is not a readable PNG picture</translation>
    </message>
    <message>
        <source>皮肤名称为空</source>
        <translation>the skin name is empty</translation>
    </message>
    <message>
        <source>角 %1 有两个装饰</source>
        <translation>the corner %1 has two decorations</translation>
    </message>
    <message>
        <source>皮肤包在角 %1 没有装饰</source>
        <translation>the skin package has no decoration on the corner %1</translation>
    </message>
    <message>
        <source>皮肤包中没有控件 %1</source>
        <translation>the skin package has no control %1</translation>
    </message>
    <message>
        <source>皮肤包“%1”中没有可用的顶部图片</source>
        <translation>the skin package “%1” has no usable header picture</translation>
    </message>
    <message>
        <source>“%1”已存在，但不是文件夹</source>
        <translation>“%1” exists but is not a folder</translation>
    </message>
    <message>
        <source>无法创建文件夹“%1”：%2</source>
        <translation>cannot create the folder “%1”: %2</translation>
    </message>
    <message>
        <source>无法解压“%1”：它超出了皮肤包的限制（最多 %2 个文件，每个文件最多 %3 MB，总共最多 %4 MB）</source>
        <translation>cannot extract “%1”: it is over the limits of a skin package (at most %2 files, %3 MB per file and %4 MB in all)</translation>
    </message>
    <message>
        <source>无法解压“%1”：其中有几个文件共用同一段数据</source>
        <translation>cannot extract “%1”: several of its files share the same data</translation>
    </message>
    <message>
        <source>无法解压“%1”：皮肤包已损坏或无法读取</source>
        <translation>cannot extract “%1”: the skin package is damaged or cannot be read</translation>
    </message>
    <message>
        <source>无法写入“%1”</source>
        <translation>cannot write “%1”</translation>
    </message>
    <message>
        <source>窗口宽度 %1 太窄：头图左右两段（加上窗口边框）共 %2 像素，播放器窗口不会比这更窄。请给出至少 %2 的 --width。</source>
        <translation>the window width %1 is too narrow: the left and right parts of the header picture (with the window frame) take %2 pixels, and the player window is never narrower. Give a --width of at least %2.</translation>
    </message>
    <message>
        <source>窗口高度 %1 太小：至少要 %2 像素。</source>
        <translation>the window height %1 is too small: it must be at least %2 pixels.</translation>
    </message>
    <message>
        <source>已写入 %1：画布 %2x%3，播放器窗口 %4x%5 位于 (%6, %7)。</source>
        <translation>wrote %1: canvas %2x%3, player window %4x%5 at (%6, %7).</translation>
    </message>
    <message>
        <source>未知的选项 %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>%1 需要一个值</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>%1 给出了两次</source>
        <translation>%1 is given twice</translation>
    </message>
    <message>
        <source>%1 需要四个整数 L,T,R,B，而不是“%2”</source>
        <translation>%1 needs four integers L,T,R,B, not “%2”</translation>
    </message>
    <message>
        <source>--color 需要 #RRGGBB、auto 或 none，而不是“%1”</source>
        <translation>--color needs #RRGGBB, auto or none, not “%1”</translation>
    </message>
    <message>
        <source>--decoration 需要 CORNER=FILE[@X,Y]，而不是“%1”</source>
        <translation>--decoration needs CORNER=FILE[@X,Y], not “%1”</translation>
    </message>
    <message>
        <source>--control 需要 CORNER=FILE[@X,Y[,W,H]]，而不是“%1”</source>
        <translation>--control needs CORNER=FILE[@X,Y[,W,H]], not “%1”</translation>
    </message>
    <message>
        <source>%1 需要 %2，而不是“%3”</source>
        <translation>%1 needs %2, not “%3”</translation>
    </message>
    <message>
        <source>%1 不能用于 %2</source>
        <translation>%1 cannot be used with %2</translation>
    </message>
    <message>
        <source>%1 不带值</source>
        <translation>%1 takes no value</translation>
    </message>
    <message>
        <source>edit 需要一个皮肤包：edit PKG.vsf -o OUT.vsf</source>
        <translation>edit needs one skin package: edit PKG.vsf -o OUT.vsf</translation>
    </message>
    <message>
        <source>多余的参数 %1</source>
        <translation>unexpected argument %1</translation>
    </message>
    <message>
        <source>%1 需要 -o OUT.vsf</source>
        <translation>%1 needs -o OUT.vsf</translation>
    </message>
    <message>
        <source>build 需要 --picture FILE</source>
        <translation>build needs --picture FILE</translation>
    </message>
    <message>
        <source>build 需要 --name NAME</source>
        <translation>build needs --name NAME</translation>
    </message>
    <message>
        <source>suggest 需要 --picture FILE</source>
        <translation>suggest needs --picture FILE</translation>
    </message>
    <message>
        <source>thumbnail 需要一个皮肤包、一个 PNG 文件和大小：thumbnail PKG.vsf OUT.png --size N</source>
        <translation>thumbnail needs a skin package, a PNG file and a size: thumbnail PKG.vsf OUT.png --size N</translation>
    </message>
    <message>
        <source>--size 需要 1 到 1024 之间的像素数，而不是“%1”</source>
        <translation>--size needs a number of pixels from 1 to 1024, not “%1”</translation>
    </message>
    <message>
        <source>render 需要一个皮肤包和一个 PNG 文件：render PKG.vsf OUT.png [--width W] [--height H]</source>
        <translation>render needs a skin package and a PNG file: render PKG.vsf OUT.png [--width W] [--height H]</translation>
    </message>
    <message>
        <source>没有给出命令</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>info 需要一个皮肤包：info PKG.vsf</source>
        <translation>info needs one skin package: info PKG.vsf</translation>
    </message>
    <message>
        <source>extract 需要一个皮肤包和一个文件夹：extract PKG.vsf DIR</source>
        <translation>extract needs a skin package and a folder: extract PKG.vsf DIR</translation>
    </message>
    <message>
        <source>未知的命令 %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <source>用法见“skinmaker-cli --help”。</source>
        <translation>See “skinmaker-cli --help” for usage.</translation>
    </message>
    <message numerus="yes">
        <source>%n 个 Flash 控件画成了标有文件名的方框（命令行工具不播放 Flash）。</source>
        <translation>
            <numerusform>%n flash control was drawn as a box labeled with its file name (the command-line tool plays no Flash).</numerusform>
            <numerusform>%n flash controls were drawn as boxes labeled with their file names (the command-line tool plays no Flash).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>皮肤包“%1”声明的附加控件中有 %n 个不在皮肤中（一个皮肤最多 %2 个附加控件，或者控件文件缺失），保存后它们将不再存在。</source>
        <translation>
            <numerusform>The skin package “%1” declares %n extra control that is not in the skin (a skin has at most %2 extra controls, or the control&apos;s file is missing); it will be gone once saved.</numerusform>
            <numerusform>The skin package “%1” declares %n extra controls that are not in the skin (a skin has at most %2 extra controls, or their files are missing); they will be gone once saved.</numerusform>
        </translation>
    </message>
    <message>
        <source>要不带它们保存，请加 --force。</source>
        <translation>To save without them, add --force.</translation>
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
  与向导一样，离窗口太远的位置被移回到完全在窗口之外的最近位置。

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
  皮肤包声明的附加控件多于一个皮肤能有的（或缺少控件文件）时拒绝保存；加 --force 时
  给出警告，不带这些控件保存。

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

--lang zh|en：消息的语言，可放在命令行的任何位置，对所有命令有效。不给时取 LC_ALL、
  LC_MESSAGES、LANG 中第一个设置了的：以 en 开头为英文，其他（包括 C 和未设置）为中文。
  JSON 输出和皮肤包不随语言变化。

退出码：0 成功；1 错误（文件不存在或无法解码、裁剪区域为空或超出图片、--color auto 时
裁剪区域没有不透明的像素、角的名称错误、控件不是可读的 SWF 影片、名称无法保存、皮肤包无法读取
或超出限制等）；2 用法错误。
</source>
        <translation>Usage:
  skinmaker-cli build -o OUT.vsf --picture FILE --name NAME [options]
  skinmaker-cli edit PKG.vsf -o OUT.vsf [options]
  skinmaker-cli info PKG.vsf
  skinmaker-cli extract PKG.vsf DIR
  skinmaker-cli suggest --picture FILE [--crop L,T,R,B]
  skinmaker-cli thumbnail PKG.vsf OUT.png --size N
  skinmaker-cli render PKG.vsf OUT.png [--width W] [--height H]
  skinmaker-cli --help | --version

build: makes a skin package from a JPEG, BMP or PNG picture.
  -o OUT.vsf                    the skin package to write
  --picture FILE                the source picture
  --name NAME                   the skin name the player shows (saved in GBK, at most 255 bytes)
  --crop L,T,R,B                the header picture&apos;s region of the picture (picture pixels);
                                default: the largest centered 700:61 rectangle
  --stretch L,T,R,B             the region the player stretches or tiles; must lie inside the
                                crop region and leave part of it on both the left and the right
  --tile | --no-tile            tile the stretch region | stretch it (default)
  --color #RRGGBB|auto|none     the main color of the player&apos;s frame; none (default) keeps the
                                picture&apos;s own colors; auto takes the first color that suggest
                                gives for the crop region
  --white-tabs | --black-tabs   white | black (default) tab text
  --thumbnail FILE              the picture for the 60x37 thumbnail (default: cut from the right
                                end of the header picture)
  --decoration CORNER=FILE[@X,Y]
                                a PNG decoration on a corner, X,Y its offset (repeatable);
                                without X,Y centered on the corner, as in the wizard
  --control CORNER=FILE[@X,Y[,W,H]]
                                a flash control (a SWF movie) on a corner at X,Y, sized W,H
                                (repeatable); without W,H the movie&apos;s stage size, without X,Y
                                centered on the corner, as in the wizard; a W,H other than the
                                stage size gives a warning.
                                A corner&apos;s first control is its corner control, later ones are
                                extra controls (at most 20)
  --force                       overwrite an existing OUT (refused otherwise)
  CORNER is lefttop, righttop, leftbottom or rightbottom.
  A position is the offset from the corner point to the top-left corner of the decoration or
  control (corner point minus top-left), as saved in the skin package.
  As in the wizard, a place too far from the window is moved back to the nearest place wholly
  outside it.

edit: opens the skin package PKG as the wizard does (the whole header picture and the color
  values as read are kept), changes it as the options say and saves it as OUT.
  Without options every file in OUT is byte for byte the one in PKG (the name in conf.ini
  becomes OUT&apos;s file name).
  Takes build&apos;s --name, --color, --tile | --no-tile, --white-tabs | --black-tabs,
  --thumbnail, --decoration (replaces the corner&apos;s decoration), --control (adds a control),
  --force, and:
  --move-decoration CORNER@X,Y  moves the corner&apos;s decoration to the offset X,Y
  --remove-decoration CORNER    removes the corner&apos;s decoration
  --move-control MEMBER@X,Y[,W,H]
                                moves a control (and resizes it when W,H is given); MEMBER is
                                the control&apos;s file name as info lists it, such as topleft.swf
                                or swfcontrol2.swf
  --remove-control MEMBER       removes the control; when a corner control is removed, the
                                first extra control on the same corner becomes its corner control
  Moves and removals name controls by their file names in the opened package and happen before
  additions. OUT may be PKG itself (needs --force).
  A skin package declaring more extra controls than a skin may have (or missing control files)
  is not saved; with --force it is saved without those controls, with a warning.

info: reads a skin package and prints a JSON object on standard output with &quot;name&quot;,
  &quot;showname&quot;, &quot;color&quot; (&quot;#RRGGBB&quot; or null), &quot;hue&quot;, &quot;sat&quot;, &quot;light&quot;, &quot;white&quot;, &quot;tile&quot;,
  &quot;stretch&quot; ([l, t, r, b] or null), &quot;header&quot; ({&quot;width&quot;, &quot;height&quot;} of the joined header
  picture, or null), &quot;decorations&quot;, &quot;controls&quot; (corner controls first, then extra controls;
  each with &quot;member&quot; and the movie&apos;s stage size &quot;stage&quot; [w, h], null when the movie cannot
  be read) and &quot;members&quot;.

extract: extracts every file of the skin package into DIR (created when missing). Skin packages
  with more than %1 files, a file over %2 MB, over %3 MB in all or files that share the same
  data are refused; no file is ever written through a symbolic link.

thumbnail: scales the skin package&apos;s own thumbnail (small.bmp) to fit in N x N pixels (1..1024)
  and saves it as PNG; file managers call it through the installed thumbnailer.

render: draws the player wearing the skin as a PNG: the header picture is stretched or tiled
  across the window width as the player does it, and decorations are drawn at their places
  (the canvas grows to hold them). The window is 704x480 by default; its width cannot be less
  than the header picture&apos;s left and right parts together.
  The command-line tool plays no Flash: controls are drawn as boxes labeled with their file names.

suggest: takes the main colors from the picture&apos;s crop region (by default that of build), best
  first, at most four, and prints them as a JSON array of {&quot;color&quot;: &quot;#RRGGBB&quot;, &quot;share&quot;, &quot;hue&quot;}:
  share is the part (0..1) of the crop region in the color&apos;s family (hues within 15 degrees;
  in a gray picture its only gray takes in all grays), hue is the color&apos;s hue (0..359 degrees).

--lang zh|en: the language of messages, anywhere on the command line, for every command. Without
  it the first of LC_ALL, LC_MESSAGES and LANG that is set decides: a value starting with en
  gives English, anything else (also C or none) Chinese.
  JSON output and skin packages do not change with the language.

Exit codes: 0 success; 1 error (a file missing or undecodable, a crop region that is empty or
outside the picture, no opaque pixel in the crop region with --color auto, a wrong corner name,
a control that is not a readable SWF movie, a name that cannot be saved, a skin package that
cannot be read or is over the limits, and so on); 2 usage mistake.
</translation>
    </message>
    <message>
        <source>%1 需要 1 到 %3 之间的像素数，而不是“%2”</source>
        <translation>%1 needs a number of pixels from 1 to %3, not “%2”</translation>
    </message>
</context>
</TS>
