<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CControlsPreviewCtrl</name>
    <message>
        <source>未安装Flash播放组件：控件仍可添加、保存和打开，但不能在预览中播放。</source>
        <translation>The Flash player is not installed: controls can still be added, saved and opened, but they do not play in the preview.</translation>
    </message>
</context>
<context>
    <name>CProgressDlg</name>
    <message>
        <source>下载控件</source>
        <translation>Downloading a Control</translation>
    </message>
    <message>
        <source>正在下载，请稍后...</source>
        <translation>Downloading, please wait...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CWebFlashWnd</name>
    <message>
        <source>选择控件</source>
        <translation>Choose a Control</translation>
    </message>
    <message>
        <source>下载失败,请稍后再试！</source>
        <translation>The download failed. Please try again later.</translation>
    </message>
</context>
<context>
    <name>LocalGallery</name>
    <message>
        <source>时钟</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>天气</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>电平表</source>
        <translation>Level Meter</translation>
    </message>
</context>
<context>
    <name>LocalWebHost</name>
    <message>
        <source>zh-CN</source>
        <extracomment>The language of the local help pages: &quot;en&quot; for the English pages</extracomment>
        <translation>en</translation>
    </message>
</context>
</TS>
