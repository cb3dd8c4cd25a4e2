<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>CChildFrame</name>
    <message>
        <source>Run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Full Screen(&amp;F)</source>
        <translation>全屏(&amp;F)</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>缩放</translation>
    </message>
    <message>
        <source>Vertical scale</source>
        <translation>垂直刻度</translation>
    </message>
    <message>
        <source>Horizontal scale</source>
        <translation>水平刻度</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>上一页</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>下一页</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>转到</translation>
    </message>
    <message>
        <source>Read count</source>
        <translation>读取计数</translation>
    </message>
    <message>
        <source>Run/stop state</source>
        <translation>运行停止状态</translation>
    </message>
    <message>
        <source>Colour mode</source>
        <translation>颜色模式</translation>
    </message>
    <message>
        <source>Display type</source>
        <translation>波形显示类型</translation>
    </message>
</context>
<context>
    <name>CControlPane</name>
    <message>
        <source>The settings panel is not available in this version yet.</source>
        <translation>此版本尚未提供设置面板。</translation>
    </message>
    <message>
        <source>Virtual Panel</source>
        <translation>虚拟面板</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>连接(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>断开(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>选项(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>帮助主题(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Quorvex...</source>
        <translation>关于 Quorvex(&amp;A)...</translation>
    </message>
    <message>
        <source>About Quorvex</source>
        <translation>关于 Quorvex</translation>
    </message>
    <message>
        <source>&lt;b&gt;Quorvex&lt;/b&gt; %1&lt;br&gt;Companion program of the two-channel USB digital storage oscilloscope.</source>
        <translation>&lt;b&gt;Quorvex&lt;/b&gt; %1&lt;br&gt;双通道 USB 数字存储示波器的配套程序。</translation>
    </message>
    <message>
        <source>Save &amp;Workspace</source>
        <translation>保存工作空间(&amp;W)</translation>
    </message>
    <message>
        <source>Open W&amp;orkspace...</source>
        <translation>打开工作空间(&amp;O)...</translation>
    </message>
    <message>
        <source>Save Workspace &amp;As...</source>
        <translation>工作空间另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>C&amp;lose Workspace</source>
        <translation>关闭工作空间(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Control Window</source>
        <translation>控制窗口(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Instrument</source>
        <translation>仪器(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Virtual Panel</source>
        <translation>虚拟面板(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>窗口(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>层叠(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>平铺(&amp;T)</translation>
    </message>
    <message>
        <source>Close &amp;All</source>
        <translation>全部关闭(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>New window</source>
        <translation>新建窗口</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Work Bar</source>
        <translation>Work Bar</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>消息</translation>
    </message>
    <message>
        <source>Connecting to the instrument...</source>
        <translation>正在连接仪器...</translation>
    </message>
    <message>
        <source>Connected.</source>
        <translation>已连接。</translation>
    </message>
    <message>
        <source>The instrument did not connect.</source>
        <translation>仪器未能连接。</translation>
    </message>
    <message>
        <source>Disconnected.</source>
        <translation>已断开。</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Can not write the settings file %1.</source>
        <translation>无法写入设置文件 %1。</translation>
    </message>
    <message>
        <source>Quorvex Help</source>
        <translation>Quorvex 帮助</translation>
    </message>
    <message>
        <source>The virtual front panel is not available in this version yet.</source>
        <translation>此版本尚未提供虚拟面板。</translation>
    </message>
    <message>
        <source>Can not open %1.</source>
        <translation>无法打开 %1。</translation>
    </message>
    <message>
        <source>Data files (*.wfm *.mes *.dat *.psm *.mth *.bus);;All Files (*)</source>
        <translation>数据文件 (*.wfm *.mes *.dat *.psm *.mth *.bus);;全部文件 (*)</translation>
    </message>
    <message>
        <source>Can not write %1.</source>
        <translation>无法写入 %1。</translation>
    </message>
    <message>
        <source>Can not write the workspace file %1. %2</source>
        <translation>无法写入工作空间文件 %1。%2</translation>
    </message>
    <message>
        <source>Workspace saved: %1</source>
        <translation>工作空间已保存：%1</translation>
    </message>
    <message>
        <source>Can not open the workspace file %1. %2</source>
        <translation>无法打开工作空间文件 %1。%2</translation>
    </message>
    <message>
        <source>The workspace file %1 is damaged or holds a window this version cannot open.</source>
        <translation>工作空间文件 %1 已损坏，或包含此版本无法打开的窗口。</translation>
    </message>
</context>
<context>
    <name>COptionsDialog</name>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 毫秒</translation>
    </message>
    <message>
        <source>Connect to the instrument at start-up</source>
        <translation>启动时连接仪器</translation>
    </message>
    <message>
        <source>Acquisition interval:</source>
        <translation>采集间隔：</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
</context>
<context>
    <name>CPlaceholderView</name>
    <message>
        <source>bus analysis</source>
        <translation>总线分析</translation>
    </message>
    <message>
        <source>arithmetic</source>
        <translation>运算</translation>
    </message>
    <message>
        <source>power spectrum</source>
        <translation>功率谱</translation>
    </message>
    <message>
        <source>measurement</source>
        <translation>测量</translation>
    </message>
    <message>
        <source>data table</source>
        <translation>数据表</translation>
    </message>
    <message>
        <source>waveform sheet</source>
        <translation>波形表</translation>
    </message>
    <message>
        <source>The %1 window (%2 files) is not available in this version yet.</source>
        <translation>此版本尚未提供%1窗口（%2 文件）。</translation>
    </message>
</context>
<context>
    <name>CSplashWindow</name>
    <message>
        <source>Companion program of the two-channel USB oscilloscope</source>
        <translation>双通道 USB 示波器的配套程序</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Not opened: %1</source>
        <translation>未打开：%1</translation>
    </message>
</context>
</TS>
