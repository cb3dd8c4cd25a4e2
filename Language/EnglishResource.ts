<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>CAnalyse_BusView</name>
    <message>
        <source>Write File Error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BusName:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bits:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HpuleWidth:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LpuleWidth:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start condition BuildTime:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPOL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPHA:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decode Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start condition KeepTime:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop codition time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save DataFile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save DataFile As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Bitmap...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Workspace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Workspace As...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CArchive</name>
    <message>
        <source>Can not write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CArithmeticDoc</name>
    <message>
        <source>arithmetic</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CArithmeticPanel</name>
    <message>
        <source>Operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Factor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1   CH1 %2 mV/div   CH2 %3 mV/div   %4 ns/div</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1   %2 mV/div   x %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CBitmapWriter</name>
    <message>
        <source>There is no picture to export.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CBusFile</name>
    <message>
        <source>The bus analysis file is damaged or truncated.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CBusSettingsPanel</name>
    <message>
        <source>BusName:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bits:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address Bits:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HpuleWidth:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LpuleWidth:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time3:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time4:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>default area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>custom area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>positive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>negative</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bulid time：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep time：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPOL：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPHA：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Master</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>decode type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AddressType:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time base: %1 ns/div</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CChildFrame</name>
    <message>
        <source>Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full Screen(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run/stop state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display type</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CControlPane</name>
    <message>
        <source>The settings panel is not available in this version yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Virtual Panel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDataDoc</name>
    <message>
        <source>The file is not a %1 file (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 file is damaged or truncated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDataView</name>
    <message>
        <source>Can not write %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save DataFile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save DataFile As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full Screen(&amp;F)	Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Black and White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Workspace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Workspace As...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Quorvex...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Quorvex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Quorvex&lt;/b&gt; %1&lt;br&gt;Companion program of the two-channel USB digital storage oscilloscope.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;Workspace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open W&amp;orkspace...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Workspace &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lose Workspace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Control Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Instrument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Virtual Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Work Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting to the instrument...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The instrument did not connect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not write the settings file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvex Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The virtual front panel is not available in this version yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not open %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not write the workspace file %1. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Workspace saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not open the workspace file %1. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The workspace file %1 is damaged or holds a window this version cannot open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WorkData file (*.wrk);;All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AnalyseBus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arithmetic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PowerSpectrum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WaveformMeasurement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WaveformTabular</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YTSheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print Instrument Screen...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Set&amp;up File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Setup &amp;File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The instrument is not connected. To connect, choose Instrument &gt; Connect, or tick &quot;Connect to the instrument at start-up&quot; in Instrument &gt; Options.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>COptionsDialog</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect to the instrument at start-up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquisition interval:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPageBar</name>
    <message>
        <source>Previous page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CParamDialog</name>
    <message>
        <source>Value:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPlaceholderView</name>
    <message>
        <source>bus analysis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>arithmetic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>power spectrum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>measurement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>data table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>waveform sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 window (%2 files) is not available in this version yet.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPowerSpectrumDoc</name>
    <message>
        <source>power spectrum</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPowerSpectrumPanel</name>
    <message>
        <source>Input Signal:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spectrum Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSettingsPanel</name>
    <message>
        <source>The value was not accepted; the setting keeps its value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save SetFile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open SetFile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no instrument settings to save yet: connect the instrument first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The setup file %1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup file (*.set);;All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The setup file %1 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no instrument settings; the settings were not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds the settings of another instrument (its settings block has a different length); the settings were not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a setup file or is damaged; the settings were not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The workspace holds the settings of another instrument; the connected instrument&apos;s settings are kept.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSheetToolBar</name>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal scale</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSplashWindow</name>
    <message>
        <source>Companion program of the two-channel USB oscilloscope</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVirtualPanel</name>
    <message>
        <source>Virtual Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Normal Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Enlarged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export Bitmap...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MENU
ON/OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multipurpose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SAVE/RECALL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UTILITY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MEASURE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CURSOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ACQUIRE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DISPLAY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HELP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DEFAULT SETUP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STATUS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUTOSET</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SINGLE SEQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RUN/STOP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>POSITION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> MENU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VOLTS/DIV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MATH MENU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HORIZ MENU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SEC/DIV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEVEL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TRIG MENU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SET TO 50%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FORCE TRIG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PROBE CHECK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu item %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multipurpose knob: left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multipurpose knob: push</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multipurpose knob: right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multipurpose knob: turn left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multipurpose knob: turn right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 position: up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 position: push (to zero)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 position: down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 volts/div: larger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 volts/div: smaller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal position: left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal position: push (to zero)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal position: right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SEC/DIV: larger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SEC/DIV: smaller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigger level: up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigger level: push (to zero)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigger level: down</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CWaveformMeasurementDoc</name>
    <message>
        <source>measurement</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CWaveformMeasurementView</name>
    <message>
        <source>Cannot measure</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CWaveformTabularDoc</name>
    <message>
        <source>data table</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CWfmFile</name>
    <message>
        <source>The file is not a waveform sheet file (.wfm).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The waveform sheet file is damaged or truncated.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CYTSheetDoc</name>
    <message>
        <source>waveform sheet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CYTSheetPropertiesDialog</name>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Graticule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crosshair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Style:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gt:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bg:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wfm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vectors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B&amp;W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color Mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Trigger T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock Trigger Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Scale information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tracking Cursor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CYTSheetView</name>
    <message>
        <source>Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Not opened: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserPrompts</name>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
