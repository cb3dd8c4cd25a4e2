<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
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
        <source>Data files (*.wfm *.mes *.dat *.psm *.mth *.bus);;All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not write %1.</source>
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
    <name>CSplashWindow</name>
    <message>
        <source>Companion program of the two-channel USB oscilloscope</source>
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
</TS>
