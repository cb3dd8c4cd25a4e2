<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>CAnalyse_BusView</name>
    <message>
        <source>Write File Error!</source>
        <translation>写文件错误！</translation>
    </message>
    <message>
        <source>BusName:</source>
        <translation>总线名称：</translation>
    </message>
    <message>
        <source>Bits:</source>
        <translation>位数：</translation>
    </message>
    <message>
        <source>HpuleWidth:</source>
        <translation>高电平脉宽：</translation>
    </message>
    <message>
        <source>LpuleWidth:</source>
        <translation>低电平脉宽：</translation>
    </message>
    <message>
        <source>Start condition BuildTime:</source>
        <translation>开始条件建立时间：</translation>
    </message>
    <message>
        <source>CPOL:</source>
        <translation>CPOL：</translation>
    </message>
    <message>
        <source>CPHA:</source>
        <translation>CPHA：</translation>
    </message>
    <message>
        <source>Decode Type:</source>
        <translation>解码类型：</translation>
    </message>
    <message>
        <source>Start condition KeepTime:</source>
        <translation>开始条件保持时间：</translation>
    </message>
    <message>
        <source>Stop codition time:</source>
        <translation>停止条件时间：</translation>
    </message>
    <message>
        <source>Address Type:</source>
        <translation>地址类型：</translation>
    </message>
    <message>
        <source>Save DataFile</source>
        <translation>保存数据文件</translation>
    </message>
    <message>
        <source>Save DataFile As...</source>
        <translation>数据文件另存为...</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>解码</translation>
    </message>
    <message>
        <source>Export Bitmap...</source>
        <translation>导出位图...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>打印...</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>Save Workspace</source>
        <translation>保存工作空间</translation>
    </message>
    <message>
        <source>Save Workspace As...</source>
        <translation>工作空间另存为...</translation>
    </message>
</context>
<context>
    <name>CArchive</name>
    <message>
        <source>Can not write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>CArithmeticDoc</name>
    <message>
        <source>arithmetic</source>
        <translation>运算</translation>
    </message>
</context>
<context>
    <name>CArithmeticPanel</name>
    <message>
        <source>Operation</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Factor</source>
        <translation>系数</translation>
    </message>
    <message>
        <source>%1   CH1 %2 mV/div   CH2 %3 mV/div   %4 ns/div</source>
        <translation>%1   CH1 %2 mV/格   CH2 %3 mV/格   %4 ns/格</translation>
    </message>
    <message>
        <source>%1   %2 mV/div   x %3</source>
        <translation>%1   %2 mV/格   x %3</translation>
    </message>
</context>
<context>
    <name>CBitmapWriter</name>
    <message>
        <source>There is no picture to export.</source>
        <translation>没有可导出的图像。</translation>
    </message>
</context>
<context>
    <name>CBusFile</name>
    <message>
        <source>The bus analysis file is damaged or truncated.</source>
        <translation>总线分析文件已损坏或不完整。</translation>
    </message>
</context>
<context>
    <name>CBusSettingsPanel</name>
    <message>
        <source>BusName:</source>
        <translation>总线名称：</translation>
    </message>
    <message>
        <source>Bits:</source>
        <translation>位数：</translation>
    </message>
    <message>
        <source>Address Bits:</source>
        <translation>地址位数：</translation>
    </message>
    <message>
        <source>HpuleWidth:</source>
        <translation>高电平脉宽：</translation>
    </message>
    <message>
        <source>LpuleWidth:</source>
        <translation>低电平脉宽：</translation>
    </message>
    <message>
        <source>Time3:</source>
        <translation>时间3：</translation>
    </message>
    <message>
        <source>Time4:</source>
        <translation>时间4：</translation>
    </message>
    <message>
        <source>default area</source>
        <translation>默认区域</translation>
    </message>
    <message>
        <source>custom area</source>
        <translation>自定义区域</translation>
    </message>
    <message>
        <source>positive</source>
        <translation>正</translation>
    </message>
    <message>
        <source>negative</source>
        <translation>负</translation>
    </message>
    <message>
        <source>Bulid time：</source>
        <translation>建立时间：</translation>
    </message>
    <message>
        <source>Keep time：</source>
        <translation>保持时间：</translation>
    </message>
    <message>
        <source>CPOL：</source>
        <translation>CPOL：</translation>
    </message>
    <message>
        <source>CPHA：</source>
        <translation>CPHA：</translation>
    </message>
    <message>
        <source>Stop time</source>
        <translation>停止时间</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>主机</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>从机</translation>
    </message>
    <message>
        <source>decode type:</source>
        <translation>解码类型：</translation>
    </message>
    <message>
        <source>AddressType:</source>
        <translation>地址类型：</translation>
    </message>
    <message>
        <source>Time base: %1 ns/div</source>
        <translation>时基：%1 ns/div</translation>
    </message>
</context>
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
    <name>CDataDoc</name>
    <message>
        <source>The file is not a %1 file (%2).</source>
        <translation>该文件不是%1文件（%2）。</translation>
    </message>
    <message>
        <source>The %1 file is damaged or truncated.</source>
        <translation>%1文件已损坏或不完整。</translation>
    </message>
    <message>
        <source>The %1 could not be written.</source>
        <translation>无法写入%1。</translation>
    </message>
</context>
<context>
    <name>CDataView</name>
    <message>
        <source>Can not write %1.</source>
        <translation>无法写入 %1。</translation>
    </message>
    <message>
        <source>Save DataFile</source>
        <translation>保存数据文件</translation>
    </message>
    <message>
        <source>Save DataFile As...</source>
        <translation>数据文件另存为...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>导出(&amp;E)...</translation>
    </message>
    <message>
        <source>Full Screen(&amp;F)	Ctrl+F</source>
        <translation>全屏(&amp;F)	Ctrl+F</translation>
    </message>
    <message>
        <source>Print Black and White</source>
        <translation>黑白打印</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>打印...</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>Save Workspace</source>
        <translation>保存工作空间</translation>
    </message>
    <message>
        <source>Save Workspace As...</source>
        <translation>工作空间另存为...</translation>
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
    <message>
        <source>WorkData file (*.wrk);;All Files (*)</source>
        <translation>工作空间文件 (*.wrk);;全部文件 (*)</translation>
    </message>
    <message>
        <source>AnalyseBus</source>
        <translation>总线分析</translation>
    </message>
    <message>
        <source>Arithmetic</source>
        <translation>运算</translation>
    </message>
    <message>
        <source>PowerSpectrum</source>
        <translation>能量频谱</translation>
    </message>
    <message>
        <source>WaveformMeasurement</source>
        <translation>波形测量</translation>
    </message>
    <message>
        <source>WaveformTabular</source>
        <translation>波形数据表</translation>
    </message>
    <message>
        <source>YTSheet</source>
        <translation>波形图</translation>
    </message>
    <message>
        <source>&amp;Print Instrument Screen...</source>
        <translation>打印示波器屏幕(&amp;P)...</translation>
    </message>
    <message>
        <source>Save Set&amp;up File...</source>
        <translation>保存设置文件(&amp;U)...</translation>
    </message>
    <message>
        <source>Open Setup &amp;File...</source>
        <translation>打开设置文件(&amp;F)...</translation>
    </message>
    <message>
        <source>The instrument is not connected. To connect, choose Instrument &gt; Connect, or tick &quot;Connect to the instrument at start-up&quot; in Instrument &gt; Options.</source>
        <translation>仪器未连接。要连接仪器，请选择“仪器 &gt; 连接”，或在“仪器 &gt; 选项”中勾选“启动时连接仪器”。</translation>
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
    <name>CPageBar</name>
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
</context>
<context>
    <name>CParamDialog</name>
    <message>
        <source>Value:</source>
        <translation>数值:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>应用(&amp;A)</translation>
    </message>
    <message>
        <source>Min: %1</source>
        <translation>最小: %1</translation>
    </message>
    <message>
        <source>Max: %1</source>
        <translation>最大: %1</translation>
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
    <name>CPowerSpectrumDoc</name>
    <message>
        <source>power spectrum</source>
        <translation>功率谱</translation>
    </message>
</context>
<context>
    <name>CPowerSpectrumPanel</name>
    <message>
        <source>Input Signal:</source>
        <translation>输入信号:</translation>
    </message>
    <message>
        <source>Spectrum Setup</source>
        <translation>频谱设置</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>窗口</translation>
    </message>
</context>
<context>
    <name>CSettingsPanel</name>
    <message>
        <source>The value was not accepted; the setting keeps its value.</source>
        <translation>输入值无效，设置保持原值。</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Save SetFile</source>
        <translation>保存设置文件</translation>
    </message>
    <message>
        <source>Open SetFile</source>
        <translation>打开设置文件</translation>
    </message>
    <message>
        <source>There are no instrument settings to save yet: connect the instrument first.</source>
        <translation>尚无可保存的示波器设置：请首先连接示波器。</translation>
    </message>
    <message>
        <source>The setup file %1 could not be written.</source>
        <translation>无法写入设置文件 %1。</translation>
    </message>
    <message>
        <source>Setup file (*.set);;All Files (*)</source>
        <translation>设置文件 (*.set);;全部文件 (*)</translation>
    </message>
    <message>
        <source>The setup file %1 could not be read.</source>
        <translation>无法读取设置文件 %1。</translation>
    </message>
    <message>
        <source>%1 holds no instrument settings; the settings were not changed.</source>
        <translation>%1 不含示波器设置；设置未改变。</translation>
    </message>
    <message>
        <source>%1 holds the settings of another instrument (its settings block has a different length); the settings were not changed.</source>
        <translation>%1 保存的是另一台示波器的设置（其设置块长度不同）；设置未改变。</translation>
    </message>
    <message>
        <source>%1 is not a setup file or is damaged; the settings were not changed.</source>
        <translation>%1 不是设置文件或已损坏；设置未改变。</translation>
    </message>
    <message>
        <source>The workspace holds the settings of another instrument; the connected instrument&apos;s settings are kept.</source>
        <translation>工作空间保存的是另一台示波器的设置；保留已连接示波器的设置。</translation>
    </message>
</context>
<context>
    <name>CSheetToolBar</name>
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
</context>
<context>
    <name>CSplashWindow</name>
    <message>
        <source>Companion program of the two-channel USB oscilloscope</source>
        <translation>双通道 USB 示波器的配套程序</translation>
    </message>
</context>
<context>
    <name>CVirtualPanel</name>
    <message>
        <source>Virtual Panel</source>
        <translation>虚拟面板</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>&amp;Screen</source>
        <translation>屏幕(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>开始(&amp;S)</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>停止(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Normal Size</source>
        <translation>正常大小(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Enlarged</source>
        <translation>放大(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Export Bitmap...</source>
        <translation>导出位图(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>打印预览(&amp;V)...</translation>
    </message>
    <message>
        <source>MENU
ON/OFF</source>
        <translation>菜单
开/关</translation>
    </message>
    <message>
        <source>F6</source>
        <translation>F6</translation>
    </message>
    <message>
        <source>F7</source>
        <translation>F7</translation>
    </message>
    <message>
        <source>Multipurpose</source>
        <translation>多用途</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>SAVE/RECALL</source>
        <translation>存储/调出</translation>
    </message>
    <message>
        <source>UTILITY</source>
        <translation>辅助功能</translation>
    </message>
    <message>
        <source>MEASURE</source>
        <translation>测量</translation>
    </message>
    <message>
        <source>CURSOR</source>
        <translation>光标</translation>
    </message>
    <message>
        <source>ACQUIRE</source>
        <translation>采集</translation>
    </message>
    <message>
        <source>DISPLAY</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控制</translation>
    </message>
    <message>
        <source>HELP</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>DEFAULT SETUP</source>
        <translation>默认设置</translation>
    </message>
    <message>
        <source>STATUS</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>AUTOSET</source>
        <translation>自动设置</translation>
    </message>
    <message>
        <source>SINGLE SEQ</source>
        <translation>单次序列</translation>
    </message>
    <message>
        <source>RUN/STOP</source>
        <translation>运行/停止</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>POSITION</source>
        <translation>位置</translation>
    </message>
    <message>
        <source> MENU</source>
        <translation> 菜单</translation>
    </message>
    <message>
        <source>VOLTS/DIV</source>
        <translation>伏/格</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>MATH MENU</source>
        <translation>数学菜单</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>HORIZ MENU</source>
        <translation>水平菜单</translation>
    </message>
    <message>
        <source>SEC/DIV</source>
        <translation>秒/格</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>触发</translation>
    </message>
    <message>
        <source>LEVEL</source>
        <translation>电平</translation>
    </message>
    <message>
        <source>TRIG MENU</source>
        <translation>触发菜单</translation>
    </message>
    <message>
        <source>SET TO 50%</source>
        <translation>设为50%</translation>
    </message>
    <message>
        <source>FORCE TRIG</source>
        <translation>强制触发</translation>
    </message>
    <message>
        <source>PROBE CHECK</source>
        <translation>探头检查</translation>
    </message>
    <message>
        <source>Menu item %1</source>
        <translation>菜单项 %1</translation>
    </message>
    <message>
        <source>Multipurpose knob: left</source>
        <translation>多功能旋钮：向左</translation>
    </message>
    <message>
        <source>Multipurpose knob: push</source>
        <translation>多功能旋钮：按下</translation>
    </message>
    <message>
        <source>Multipurpose knob: right</source>
        <translation>多功能旋钮：向右</translation>
    </message>
    <message>
        <source>Multipurpose knob: turn left</source>
        <translation>多功能旋钮：左旋</translation>
    </message>
    <message>
        <source>Multipurpose knob: turn right</source>
        <translation>多功能旋钮：右旋</translation>
    </message>
    <message>
        <source>%1 position: up</source>
        <translation>%1 垂直位置：向上</translation>
    </message>
    <message>
        <source>%1 position: push (to zero)</source>
        <translation>%1 垂直位置：按下（归零）</translation>
    </message>
    <message>
        <source>%1 position: down</source>
        <translation>%1 垂直位置：向下</translation>
    </message>
    <message>
        <source>%1 volts/div: larger</source>
        <translation>%1 伏/格：增大</translation>
    </message>
    <message>
        <source>%1 volts/div: smaller</source>
        <translation>%1 伏/格：减小</translation>
    </message>
    <message>
        <source>Horizontal position: left</source>
        <translation>水平位置：向左</translation>
    </message>
    <message>
        <source>Horizontal position: push (to zero)</source>
        <translation>水平位置：按下（归零）</translation>
    </message>
    <message>
        <source>Horizontal position: right</source>
        <translation>水平位置：向右</translation>
    </message>
    <message>
        <source>SEC/DIV: larger</source>
        <translation>秒/格：增大</translation>
    </message>
    <message>
        <source>SEC/DIV: smaller</source>
        <translation>秒/格：减小</translation>
    </message>
    <message>
        <source>Trigger level: up</source>
        <translation>触发电平：向上</translation>
    </message>
    <message>
        <source>Trigger level: push (to zero)</source>
        <translation>触发电平：按下（归零）</translation>
    </message>
    <message>
        <source>Trigger level: down</source>
        <translation>触发电平：向下</translation>
    </message>
</context>
<context>
    <name>CWaveformMeasurementDoc</name>
    <message>
        <source>measurement</source>
        <translation>测量</translation>
    </message>
</context>
<context>
    <name>CWaveformMeasurementView</name>
    <message>
        <source>Cannot measure</source>
        <translation>无法测量</translation>
    </message>
</context>
<context>
    <name>CWaveformTabularDoc</name>
    <message>
        <source>data table</source>
        <translation>数据表</translation>
    </message>
</context>
<context>
    <name>CWfmFile</name>
    <message>
        <source>The file is not a waveform sheet file (.wfm).</source>
        <translation>该文件不是波形图文件 (.wfm)。</translation>
    </message>
    <message>
        <source>The waveform sheet file is damaged or truncated.</source>
        <translation>波形图文件已损坏或不完整。</translation>
    </message>
</context>
<context>
    <name>CYTSheetDoc</name>
    <message>
        <source>waveform sheet</source>
        <translation>波形图</translation>
    </message>
</context>
<context>
    <name>CYTSheetPropertiesDialog</name>
    <message>
        <source>Properties</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Text colour</source>
        <translation>文字颜色</translation>
    </message>
    <message>
        <source>Graticule</source>
        <translation>刻度</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>网格</translation>
    </message>
    <message>
        <source>Crosshair</source>
        <translation>十字线</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>边框</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>类型:</translation>
    </message>
    <message>
        <source>Gt:</source>
        <translation>刻度:</translation>
    </message>
    <message>
        <source>Bg:</source>
        <translation>背景:</translation>
    </message>
    <message>
        <source>Wfm</source>
        <translation>波形</translation>
    </message>
    <message>
        <source>Dots</source>
        <translation>点</translation>
    </message>
    <message>
        <source>Vectors</source>
        <translation>矢量</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>颜色:</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>显示:</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>彩色</translation>
    </message>
    <message>
        <source>B&amp;W</source>
        <translation>黑白</translation>
    </message>
    <message>
        <source>Color Mode:</source>
        <translation>颜色模式:</translation>
    </message>
    <message>
        <source>Show Trigger T</source>
        <translation>显示触发点T</translation>
    </message>
    <message>
        <source>Lock Trigger Point</source>
        <translation>锁定触发点</translation>
    </message>
    <message>
        <source>Show Scale information</source>
        <translation>显示刻度信息</translation>
    </message>
    <message>
        <source>Font...</source>
        <translation>字体...</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>光标</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>Tracking Cursor</source>
        <translation>追踪光标</translation>
    </message>
</context>
<context>
    <name>CYTSheetView</name>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>适合窗口</translation>
    </message>
    <message>
        <source>Properties...</source>
        <translation>属性...</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Window Zoom</source>
        <translation>窗口缩放</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>平移</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Not opened: %1</source>
        <translation>未打开：%1</translation>
    </message>
</context>
<context>
    <name>UserPrompts</name>
    <message>
        <source>&amp;Yes</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>否(&amp;N)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
</TS>
