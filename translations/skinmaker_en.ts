<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>关于%1</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>%1 版本 %2</source>
        <translation>%1 version %2</translation>
    </message>
    <message>
        <source>本程序自身的代码没有声明许可证。</source>
        <translation>No licence is stated for this program&apos;s own code.</translation>
    </message>
    <message>
        <source>使用 Qt、zlib、libdeflate 和 liblzma；Flash 控件由 Ruffle 播放，Ruffle 以 MIT 或 Apache-2.0 许可证发布，许可证全文在“%1”。</source>
        <translation>Made with Qt, zlib, libdeflate and liblzma. Flash controls are played by Ruffle, released under the MIT or Apache-2.0 licence; the licence texts are in &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>程序标识 %1；说明与版权文件在“%2”。</source>
        <translation>Program id %1; documentation and copyright files are in &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>CColorSkinDlg</name>
    <message>
        <source>配置颜色</source>
        <translation>Choose colors</translation>
    </message>
    <message>
        <source>为皮肤配置主体颜色和标签页颜色</source>
        <translation>Choose the skin&apos;s main color and tab text color</translation>
    </message>
    <message>
        <source>选择主体颜色：</source>
        <translation>Main color:</translation>
    </message>
    <message>
        <source>选择标签文字颜色：</source>
        <translation>Tab text color:</translation>
    </message>
    <message>
        <source>图片推荐颜色：</source>
        <translation>Suggested colors:</translation>
    </message>
    <message>
        <source>预览：</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <source>不设主体颜色（保留图片原来的颜色）</source>
        <translation>No main color (keep the picture&apos;s own colors)</translation>
    </message>
    <message>
        <source>主体颜色：%1</source>
        <translation>Main color: %1</translation>
    </message>
    <message>
        <source>自定义颜色：还没有选择，请点击“更多颜色...”选择</source>
        <translation>Custom color: none chosen yet; click &quot;More colors...&quot; to choose one</translation>
    </message>
    <message>
        <source>更多颜色...</source>
        <translation>More colors...</translation>
    </message>
    <message>
        <source>标签文字颜色：黑色</source>
        <translation>Tab text color: black</translation>
    </message>
    <message>
        <source>标签文字颜色：白色</source>
        <translation>Tab text color: white</translation>
    </message>
    <message>
        <source>自定义颜色：%1</source>
        <translation>Custom color: %1</translation>
    </message>
    <message>
        <source>图片推荐颜色：%1</source>
        <translation>Suggested by the picture: %1</translation>
    </message>
</context>
<context>
    <name>CCornerPage</name>
    <message>
        <source>左上外饰</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>右上外饰</source>
        <translation>Top right</translation>
    </message>
    <message>
        <source>左下外饰</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <source>右下外饰</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>横向偏移</source>
        <translation>X offset</translation>
    </message>
    <message>
        <source>纵向偏移</source>
        <translation>Y offset</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>px</translation>
    </message>
</context>
<context>
    <name>CDialogProvider</name>
    <message>
        <source>Vadi提示</source>
        <translation>Vadi Message</translation>
    </message>
    <message>
        <source>无法打开网页浏览器。请在浏览器中手动打开以下地址：
%1</source>
        <translation>Could not open a web browser. Please open this address in your browser:
%1</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t Save</translation>
    </message>
</context>
<context>
    <name>CSaveSkin</name>
    <message>
        <source>保存皮肤</source>
        <translation>Save the skin</translation>
    </message>
    <message>
        <source>恭喜皮肤已完成！填写相关信息并保存皮肤吧！</source>
        <translation>Congratulations, your skin is finished! Fill in its details and save it.</translation>
    </message>
    <message>
        <source>填写皮肤信息，“ * ”为必填项</source>
        <translation>Skin details (* marks a required field)</translation>
    </message>
    <message>
        <source>*  皮肤名称：</source>
        <translation>*  Skin name:</translation>
    </message>
    <message>
        <source>(为您的皮肤起个好听的名字吧，长度不超过10个汉字)</source>
        <translation>(Give your skin a good name: up to 10 Chinese characters or 20 letters)</translation>
    </message>
    <message>
        <source>皮肤预览：</source>
        <translation>Thumbnail:</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>将皮肤上传到Vadi网站</source>
        <translation>Upload the skin to the Vadi website</translation>
    </message>
    <message>
        <source>示意图</source>
        <translation>Diagram</translation>
    </message>
    <message>
        <source>皮肤已保存到：%1</source>
        <translation>Skin saved to: %1</translation>
    </message>
    <message>
        <source>加载图片失败！</source>
        <translation>Could not load the picture!</translation>
    </message>
    <message>
        <source>皮肤名称</source>
        <translation>Skin name</translation>
    </message>
    <message>
        <source>缩略图文件</source>
        <translation>Thumbnail file</translation>
    </message>
    <message>
        <source>60×37像素，jpg/png/bmp格式；若不上传系统将自动生成</source>
        <translation>60×37 px jpg/png/bmp; made for you if none is chosen</translation>
    </message>
    <message>
        <source>图片(*.jpg *.jpeg *.png *.bmp)</source>
        <translation>Pictures (*.jpg *.jpeg *.png *.bmp)</translation>
    </message>
</context>
<context>
    <name>CSkinFrameDlg</name>
    <message>
        <source>.png格式文件</source>
        <translation>A .png file</translation>
    </message>
    <message>
        <source>装饰边框（可选）</source>
        <translation>Decorations (optional)</translation>
    </message>
    <message>
        <source>什么是装饰边框？</source>
        <translation>What are decorations?</translation>
    </message>
    <message>
        <source>装饰音乐盒四角的边框，可制造不规则边缘效果，如果不需要装饰，直接点击“跳过”</source>
        <translation>Pictures on the four corners give the player an irregular edge. If you want none, just click &quot;Skip&quot;.</translation>
    </message>
    <message>
        <source>选择装饰图片，调整其位置（或直接在预览区域中拖拽调整）</source>
        <translation>Choose a decoration picture and adjust its position (or drag it in the preview)</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>无法读取图片“%1”，请选择PNG格式的图片。</source>
        <translation>Could not read the picture &quot;%1&quot;. Please choose a PNG picture.</translation>
    </message>
    <message>
        <source>装饰图片文件</source>
        <translation>Decoration picture file</translation>
    </message>
</context>
<context>
    <name>CSkinHeadDlg</name>
    <message>
        <source>正在加载图片。。。</source>
        <translation>Loading the picture...</translation>
    </message>
    <message>
        <source>加载图片失败！</source>
        <translation>Could not load the picture!</translation>
    </message>
    <message>
        <source>在下方预览区域内截取图片！</source>
        <translation>Choose the part of the picture to use in the area below.</translation>
    </message>
    <message>
        <source>选择图片</source>
        <translation>Choose a picture</translation>
    </message>
    <message>
        <source>选择一张图片或者皮肤包，在其基础上制作或者修改Vadi音乐盒皮肤</source>
        <translation>Choose a picture or a skin package to make or change a Vadi Music Box skin from</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>您可以</source>
        <translation>You can </translation>
    </message>
    <message>
        <source>选择一张图片</source>
        <translation>choose a picture</translation>
    </message>
    <message>
        <source>重新制作皮肤，也可以</source>
        <translation> to make a new skin, or </translation>
    </message>
    <message>
        <source>编辑已有皮肤</source>
        <translation>edit an existing skin</translation>
    </message>
    <message>
        <source>如果您不太了解如何制作皮肤，可以点击这里：</source>
        <translation>New to making skins? Click here: </translation>
    </message>
    <message>
        <source>查看皮肤制作教程</source>
        <translation>read the skin making tutorial</translation>
    </message>
    <message>
        <source>示意图</source>
        <translation>Diagram</translation>
    </message>
    <message>
        <source>预览：</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <source>截取头图</source>
        <translation>Crop the header picture</translation>
    </message>
    <message>
        <source>重新选择图片</source>
        <translation>Other picture...</translation>
    </message>
    <message>
        <source>图片文件</source>
        <translation>Picture file</translation>
    </message>
    <message>
        <source>jpg/jpeg/png/bmp格式图片，建议大小&lt;10M，最佳尺寸为700x61像素</source>
        <translation>A jpg/jpeg/png/bmp picture, best under 10 MB and 700x61 pixels</translation>
    </message>
    <message>
        <source>jpg/jpeg/png/bmp格式图片，建议大小&lt;10M</source>
        <translation>A jpg/jpeg/png/bmp picture, best under 10 MB</translation>
    </message>
    <message>
        <source>图片(*.jpg *.jpeg *.png *.bmp)</source>
        <translation>Pictures (*.jpg *.jpeg *.png *.bmp)</translation>
    </message>
    <message>
        <source>图片或皮肤包(*.jpg *.jpeg *.png *.bmp *.vsf);;图片(*.jpg *.jpeg *.png *.bmp);;皮肤包(*.vsf)</source>
        <translation>Pictures or skin packages (*.jpg *.jpeg *.png *.bmp *.vsf);;Pictures (*.jpg *.jpeg *.png *.bmp);;Skin packages (*.vsf)</translation>
    </message>
</context>
<context>
    <name>CSkinViewerWnd</name>
    <message>
        <source>皮肤预览</source>
        <translation>Skin Preview</translation>
    </message>
    <message>
        <source>没有找到音乐盒，下面是皮肤穿在音乐盒上的样子。</source>
        <translation>Vadi Music Box was not found. This is how the skin looks on the player.</translation>
    </message>
    <message>
        <source>安装音乐盒</source>
        <translation>Install Vadi Music Box</translation>
    </message>
    <message>
        <source>皮肤预览 - %1</source>
        <translation>Skin Preview - %1</translation>
    </message>
    <message>
        <source>Flash 播放组件不可用：控件画成标有文件名的方框。</source>
        <translation>Flash playback is not available: controls are drawn as boxes labeled with their file names.</translation>
    </message>
</context>
<context>
    <name>CStretchDlg</name>
    <message>
        <source>设置扩展区域(可选)</source>
        <translation>Stretch region (optional)</translation>
    </message>
    <message>
        <source>选择头图的一段区域作为扩展区域，如果不需要设置扩展区域，直接点击“跳过”</source>
        <translation>Choose a part of the header picture as the stretch region. If you need none, just click &quot;Skip&quot;.</translation>
    </message>
    <message>
        <source>什么是扩展区域？</source>
        <translation>What is a stretch region?</translation>
    </message>
    <message>
        <source>设置扩展区域，选择扩展方式</source>
        <translation>Set the stretch region and how it fills the width</translation>
    </message>
    <message>
        <source>扩展区域左起：</source>
        <translation>Region from:</translation>
    </message>
    <message>
        <source>像素(4~699) 右至：</source>
        <translation>px (4~699) to:</translation>
    </message>
    <message>
        <source>像素(5~700)</source>
        <translation>px (5~700)</translation>
    </message>
    <message>
        <source> (您也可以直接在下图中拖拽设置)</source>
        <translation> (or drag its edges below)</translation>
    </message>
    <message>
        <source>区域扩展方式：</source>
        <translation>Fill mode:</translation>
    </message>
    <message>
        <source>拉伸该区域</source>
        <translation>Stretch</translation>
    </message>
    <message>
        <source>平铺该区域</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>示意图</source>
        <translation>Diagram</translation>
    </message>
    <message>
        <source>预览：</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <source>偏移量不能为空！</source>
        <translation>The offset cannot be empty!</translation>
    </message>
    <message>
        <source>扩展区域左起（像素）</source>
        <translation>Stretch region from (pixels)</translation>
    </message>
    <message>
        <source>扩展区域右至（像素）</source>
        <translation>Stretch region to (pixels)</translation>
    </message>
</context>
<context>
    <name>CWebFlashFrameDlg</name>
    <message>
        <source>选择控件（可选）</source>
        <translation>Controls (optional)</translation>
    </message>
    <message>
        <source>什么是控件？</source>
        <translation>About controls</translation>
    </message>
    <message>
        <source>Vadi提供包括时钟，天气预报等动态控件，美观又实用，如果您不需要，点击跳过即可</source>
        <translation>Add a clock, weather or other live controls, or click Skip.</translation>
    </message>
    <message>
        <source>选择动态控件(.swf)，调整其位置（或直接在预览区域中拖拽调整）</source>
        <translation>Choose controls (.swf) and place them (or drag them in the preview)</translation>
    </message>
    <message>
        <source>选择本地文件</source>
        <translation>Local file...</translation>
    </message>
    <message>
        <source>选择Vadi控件</source>
        <translation>Vadi gallery...</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>调整位置：</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>示意图</source>
        <translation>Diagram</translation>
    </message>
    <message>
        <source>最多只能放置%1个控件。</source>
        <translation>You can place at most %1 controls.</translation>
    </message>
    <message>
        <source>“%1”不是有效的Flash动画文件（.swf），未添加。</source>
        <translation>&quot;%1&quot; is not a valid Flash movie (.swf) and was not added.</translation>
    </message>
    <message>
        <source>控件列表</source>
        <translation>Controls</translation>
    </message>
</context>
<context>
    <name>CWizardApp</name>
    <message>
        <source>--view 需要一个皮肤包</source>
        <translation>--view needs a skin package</translation>
    </message>
</context>
<context>
    <name>CWizardDlg</name>
    <message>
        <source>1、制作头图</source>
        <translation>1. Header</translation>
    </message>
    <message>
        <source>2、配置颜色</source>
        <translation>2. Colors</translation>
    </message>
    <message>
        <source>3、设置拉伸</source>
        <translation>3. Stretch</translation>
    </message>
    <message>
        <source>4、装饰边框</source>
        <translation>4. Decorations</translation>
    </message>
    <message>
        <source>5、选择控件</source>
        <translation>5. Controls</translation>
    </message>
    <message>
        <source>6、保存皮肤</source>
        <translation>6. Save</translation>
    </message>
    <message>
        <source>皮肤制作指南</source>
        <translation>Skin guide</translation>
    </message>
    <message>
        <source>关于皮肤制作工具(&amp;A)...</source>
        <translation>&amp;About Skin Maker...</translation>
    </message>
    <message>
        <source>皮肤还没有保存，重新制作前要保存吗？</source>
        <translation>The skin has unsaved changes. Save it before starting over?</translation>
    </message>
    <message>
        <source>皮肤还没有保存，退出前要保存吗？</source>
        <translation>The skin has unsaved changes. Save it before exiting?</translation>
    </message>
    <message>
        <source>皮肤还没有保存，打开其他皮肤包前要保存吗？</source>
        <translation>The skin has unsaved changes. Save it before opening another skin package?</translation>
    </message>
    <message>
        <source>菜单</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>上一步</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>下一步</source>
        <translation>&amp;Next</translation>
    </message>
    <message>
        <source>跳过</source>
        <translation>S&amp;kip</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>保存皮肤</source>
        <translation>&amp;Save Skin</translation>
    </message>
    <message>
        <source>立即试用</source>
        <translation>&amp;Try Now</translation>
    </message>
    <message>
        <source>重新制作</source>
        <translation>Sta&amp;rt Over</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>已撤销“%1”</source>
        <translation>Undone: “%1”</translation>
    </message>
    <message>
        <source>已重做“%1”</source>
        <translation>Redone: “%1”</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>LanguagePictures</name>
    <message>
        <source>zh</source>
        <comment>folder of the pictures in this language</comment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>皮肤制作工具</source>
        <translation>Skin Maker</translation>
    </message>
</context>
<context>
    <name>WizardCommands</name>
    <message>
        <source>请输入皮肤名称</source>
        <translation>Please enter a skin name.</translation>
    </message>
    <message>
        <source>音乐盒皮肤文件 (*.vsf)</source>
        <translation>Vadi Music Box skins (*.vsf)</translation>
    </message>
    <message>
        <source>%1已存在。
 要替换它吗？</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>保存皮肤失败：%1</source>
        <translation>Could not save the skin: %1</translation>
    </message>
    <message>
        <source>皮肤名称不能包含下列字符：/ \ : * ? &quot; &lt; &gt; | 以及控制字符，请修改皮肤名称。</source>
        <translation>A skin name cannot contain / \ : * ? &quot; &lt; &gt; | or control characters. Please change the name.</translation>
    </message>
    <message>
        <source>您的音乐盒不支持换肤，是否安装高版本的音乐盒</source>
        <translation>Your Vadi Music Box cannot change skins. Install a newer version?</translation>
    </message>
    <message>
        <source>生成试用皮肤失败：%1</source>
        <translation>Could not make the skin to try: %1</translation>
    </message>
    <message>
        <source>无法打开皮肤包：%1</source>
        <translation>Could not open the skin package: %1</translation>
    </message>
    <message>
        <source>皮肤包中有%1个附加控件未载入：一个皮肤最多有%2个附加控件，且每个控件的文件都要在皮肤包中。</source>
        <translation>%1 extra controls of the skin package were not loaded: a skin has at most %2 extra controls, and the file of every control must be in the package.</translation>
    </message>
    <message>
        <source>皮肤包中有%1个控件不是有效的Flash文件，未载入。</source>
        <translation>%1 controls in the skin package are not valid Flash files and were not loaded.</translation>
    </message>
</context>
<context>
    <name>WizardRecovery</name>
    <message>
        <source>无法创建恢复文件夹，程序意外退出时未保存的皮肤将会丢失：
%1</source>
        <translation>The recovery folder could not be made; if the program ends unexpectedly, an unsaved skin will be lost:
%1</translation>
    </message>
    <message>
        <source>上次未保存的皮肤可以恢复。</source>
        <translation>A skin left unsaved last time can be restored.</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>以下文件已不存在，皮肤的其余部分已恢复：
%1</source>
        <translation>These files no longer exist; the rest of the skin has been restored:
%1</translation>
    </message>
    <message>
        <source>上次未保存的皮肤无法恢复。%1
恢复文件夹已移到：%2</source>
        <translation>The skin left unsaved last time cannot be restored. %1
Its recovery folder has been moved to: %2</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>用法：skinmaker [选项] [图片或皮肤包]
把自己的图片做成音乐盒皮肤包的向导。

  图片或皮肤包        打开 JPEG、PNG、BMP 图片或 .vsf 皮肤包
  --view 皮肤包       只打开皮肤查看窗口，显示穿上该皮肤的播放器
  --lang zh|en        界面语言（默认跟随系统的语言设置）
  --help              显示本帮助并退出
  --version           显示版本并退出

命令行制作皮肤包：skinmaker-cli --help
</source>
        <translation>Usage: skinmaker [options] [picture or skin package]
A wizard that turns a picture of your own into a skin package for the music player.

  picture or package  open a JPEG, PNG or BMP picture or a .vsf skin package
  --view PACKAGE      open only the skin viewer, showing the player wearing the skin
  --lang zh|en        language of the interface (default: the system&apos;s language setting)
  --help              show this help and exit
  --version           show the version and exit

Making skin packages from the command line: skinmaker-cli --help
</translation>
    </message>
</context>
</TS>
