<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CDlgChangePass</name>
    <message>
        <source>当前密码：</source>
        <translation>Current password:</translation>
    </message>
    <message>
        <source>新密码：</source>
        <translation>New password:</translation>
    </message>
    <message>
        <source>确认新密码：</source>
        <translation>Confirm new password:</translation>
    </message>
    <message>
        <source>修改密码</source>
        <translation>Change password</translation>
    </message>
    <message>
        <source>获取设备属性失败!</source>
        <translation>Could not read the device properties.</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>新密码和确认新密码不匹配</source>
        <translation>The new password and its confirmation do not match.</translation>
    </message>
    <message>
        <source>请确认当前密码是否正确</source>
        <translation>Please check that the current password is correct.</translation>
    </message>
    <message>
        <source>修改配置成功</source>
        <translation>Configuration written.</translation>
    </message>
    <message>
        <source>操作失败...</source>
        <translation>Operation failed.</translation>
    </message>
</context>
<context>
    <name>CDlgInputPwd</name>
    <message>
        <source>输入密码</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CDlgSearchCel</name>
    <message>
        <source>全选</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>通道号</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>速率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>网络号</source>
        <translation>Network ID</translation>
    </message>
    <message>
        <source>本地ID</source>
        <translation>Local ID</translation>
    </message>
    <message>
        <source>运行状态</source>
        <translation>Run mode</translation>
    </message>
    <message>
        <source>静态搜索</source>
        <translation>Static search</translation>
    </message>
</context>
<context>
    <name>CDlgSearchOrlnet</name>
    <message>
        <source>通道速率全选</source>
        <translation>All channels and rates</translation>
    </message>
    <message>
        <source>通道号</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>速率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>网络号</source>
        <translation>Network ID</translation>
    </message>
    <message>
        <source>本地ID</source>
        <translation>Local ID</translation>
    </message>
    <message>
        <source>运行状态</source>
        <translation>Run mode</translation>
    </message>
    <message>
        <source>指定搜索ID: 起始</source>
        <translation>Search by ID: start</translation>
    </message>
    <message>
        <source>指定搜索ID</source>
        <translation>Search by ID</translation>
    </message>
    <message>
        <source>起始ID</source>
        <translation>Start ID</translation>
    </message>
    <message>
        <source>结束ID</source>
        <translation>End ID</translation>
    </message>
    <message>
        <source>请至少选择一组搜索通道和速率组合</source>
        <translation>Select at least one channel and rate to search.</translation>
    </message>
    <message>
        <source>获取本地信息失败，请确定你的ZigBee设备已经接到计算机上...</source>
        <translation>Could not read the local module. Make sure your ZigBee device is connected to the computer.</translation>
    </message>
    <message>
        <source>无初始值</source>
        <translation>Not set</translation>
    </message>
</context>
<context>
    <name>CDlgSearchSnap</name>
    <message>
        <source>全选</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>网络ID</source>
        <translation>Network ID</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
</context>
<context>
    <name>CLowPowerDlg</name>
    <message>
        <source>操作失败...</source>
        <translation>Operation failed.</translation>
    </message>
    <message>
        <source>休眠时间(ms)</source>
        <translation>Sleep time (ms)</translation>
    </message>
    <message>
        <source>接收延时(ms)</source>
        <translation>Receive delay (ms)</translation>
    </message>
    <message>
        <source>转发延时(ms)</source>
        <translation>Forward delay (ms)</translation>
    </message>
</context>
<context>
    <name>CNumEdit</name>
    <message>
        <source>您的输入有误，输入范围0-255</source>
        <translation>Invalid input: enter a value from 0 to 255.</translation>
    </message>
</context>
<context>
    <name>COutTimeEdit</name>
    <message>
        <source>您的输入有误，输入范围0-5000</source>
        <translation>Invalid input: enter a value from 0 to 5000.</translation>
    </message>
</context>
<context>
    <name>CPageDetectRouter</name>
    <message>
        <source>查找ID:</source>
        <translation>Node ID:</translation>
    </message>
    <message>
        <source>本地查找</source>
        <translation>Local lookup</translation>
    </message>
    <message>
        <source>远程查找</source>
        <translation>Remote lookup</translation>
    </message>
    <message>
        <source>开始查找</source>
        <translation>Look up</translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation>Clear list</translation>
    </message>
    <message>
        <source>保存为CSV</source>
        <translation>Save as CSV</translation>
    </message>
    <message>
        <source>查找ID</source>
        <translation>Node ID</translation>
    </message>
    <message>
        <source>路由级数</source>
        <translation>Hops</translation>
    </message>
    <message>
        <source>最小信号强度(ID)</source>
        <translation>Weakest signal (ID)</translation>
    </message>
    <message>
        <source>路由ID</source>
        <translation>Route</translation>
    </message>
    <message>
        <source>路由表</source>
        <translation>Route table</translation>
    </message>
    <message>
        <source>查找本地路由表失败</source>
        <translation>The local route table lookup failed.</translation>
    </message>
    <message>
        <source>申请缓存失败</source>
        <translation>Could not allocate a buffer.</translation>
    </message>
    <message>
        <source>查找远程路由表超时</source>
        <translation>The remote route table lookup timed out.</translation>
    </message>
    <message>
        <source>发送数据超时</source>
        <translation>Sending timed out.</translation>
    </message>
    <message>
        <source>设备忙</source>
        <translation>The device is busy.</translation>
    </message>
    <message>
        <source>未知错误</source>
        <translation>Unknown error.</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>查找路由表失败!</source>
        <translation>Route table lookup failed.</translation>
    </message>
    <message>
        <source>%1dBm (ID：%2)</source>
        <translation>%1 dBm (ID: %2)</translation>
    </message>
    <message>
        <source>查找路由表成功!</source>
        <translation>Route table found.</translation>
    </message>
    <message>
        <source>CSV文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>最小信号强度(dBm)</source>
        <translation>Weakest signal (dBm)</translation>
    </message>
    <message>
        <source>最小信号强度ID</source>
        <translation>Weakest signal ID</translation>
    </message>
    <message>
        <source>保存文件失败</source>
        <translation>Could not save the file.</translation>
    </message>
</context>
<context>
    <name>CPageDevADCel</name>
    <message>
        <source>实时获取AD数据</source>
        <translation>Read AD values live</translation>
    </message>
    <message>
        <source>采样周期(ms)</source>
        <translation>Sample period (ms)</translation>
    </message>
    <message>
        <source>选择曲线显示通道号</source>
        <translation>Channels on the chart</translation>
    </message>
    <message>
        <source>通道0</source>
        <translation>Channel 0</translation>
    </message>
    <message>
        <source>通道1</source>
        <translation>Channel 1</translation>
    </message>
    <message>
        <source>AD曲线</source>
        <translation>AD chart</translation>
    </message>
    <message>
        <source>AD值</source>
        <translation>AD value</translation>
    </message>
</context>
<context>
    <name>CPageDevAdvCel</name>
    <message>
        <source>恢复出厂设置</source>
        <translation>Factory reset</translation>
    </message>
    <message>
        <source>升级</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>恢复出厂配置成功</source>
        <translation>Factory settings restored.</translation>
    </message>
    <message>
        <source>恢复出厂配置失败，请重新操作</source>
        <translation>Factory reset failed. Please try again.</translation>
    </message>
    <message>
        <source>发送恢复出厂设置命令失败</source>
        <translation>Could not send the factory reset command.</translation>
    </message>
    <message>
        <source>发送恢复出厂设置命令成功</source>
        <translation>Factory reset command sent.</translation>
    </message>
</context>
<context>
    <name>CPageDevAdvOrlnet</name>
    <message>
        <source>恢复出厂设置</source>
        <translation>Factory reset</translation>
    </message>
    <message>
        <source>升级</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>单点设置LED状态</source>
        <translation>Set LEDs of one device</translation>
    </message>
    <message>
        <source>广播设置LED状态</source>
        <translation>Set LEDs by broadcast</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>LED测试</source>
        <translation>LED test</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>获取设备信息失败!</source>
        <translation>Could not read the device information.</translation>
    </message>
    <message>
        <source>恢复出厂配置成功</source>
        <translation>Factory settings restored.</translation>
    </message>
    <message>
        <source>恢复出厂配置失败</source>
        <translation>Factory reset failed.</translation>
    </message>
    <message>
        <source>设置LED状态成功</source>
        <translation>LED state set.</translation>
    </message>
    <message>
        <source>设置LED状态失败</source>
        <translation>Could not set the LED state.</translation>
    </message>
</context>
<context>
    <name>CPageDevAdvSnap</name>
    <message>
        <source>获取信息</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>更改配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>操作失败,串口未打开</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>更改配置成功...</source>
        <translation>Configuration written.</translation>
    </message>
    <message>
        <source>更改配置失败...</source>
        <translation>Could not write the configuration.</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>修改密码</source>
        <translation>Change password</translation>
    </message>
    <message>
        <source>读EEPROOM</source>
        <translation>Read EEPROM</translation>
    </message>
    <message>
        <source>写EEPROOM</source>
        <translation>Write EEPROM</translation>
    </message>
    <message>
        <source>恢复出厂设置</source>
        <translation>Factory reset</translation>
    </message>
    <message>
        <source>是否支持远程升级</source>
        <translation>Remote upgrade</translation>
    </message>
    <message>
        <source>新密码</source>
        <translation>New password</translation>
    </message>
    <message>
        <source>地址(hex)</source>
        <translation>Address (hex)</translation>
    </message>
    <message>
        <source>值(hex)</source>
        <translation>Value (hex)</translation>
    </message>
    <message>
        <source>您的输入有误：%1</source>
        <translation>Invalid input: %1</translation>
    </message>
    <message>
        <source>修改成功</source>
        <translation>Written.</translation>
    </message>
    <message>
        <source>修改失败</source>
        <translation>Write failed.</translation>
    </message>
    <message>
        <source>恢复出厂设置成功</source>
        <translation>Factory settings restored.</translation>
    </message>
    <message>
        <source>恢复出厂设置失败...</source>
        <translation>Factory reset failed.</translation>
    </message>
</context>
<context>
    <name>CPageDevBaseCel</name>
    <message>
        <source>操作失败...</source>
        <translation>Operation failed.</translation>
    </message>
    <message>
        <source>终端设备</source>
        <translation>End device</translation>
    </message>
    <message>
        <source>路由设备</source>
        <translation>Router</translation>
    </message>
    <message>
        <source>协调器设备</source>
        <translation>Coordinator</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>固件升级模式</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>单播模式</source>
        <translation>Unicast</translation>
    </message>
    <message>
        <source>广播模式</source>
        <translation>Broadcast</translation>
    </message>
    <message>
        <source>8kHZ</source>
        <translation>8 kHz</translation>
    </message>
    <message>
        <source>16kHZ</source>
        <translation>16 kHz</translation>
    </message>
    <message>
        <source>PCM</source>
        <translation>PCM</translation>
    </message>
    <message>
        <source>ULAW</source>
        <translation>ULAW</translation>
    </message>
    <message>
        <source>ALAW</source>
        <translation>ALAW</translation>
    </message>
    <message>
        <source>ADPCM</source>
        <translation>ADPCM</translation>
    </message>
    <message>
        <source>全双工</source>
        <translation>Full duplex</translation>
    </message>
    <message>
        <source>只发送</source>
        <translation>Send only</translation>
    </message>
    <message>
        <source>只接收</source>
        <translation>Receive only</translation>
    </message>
    <message>
        <source>设备名称</source>
        <translation>Device name</translation>
    </message>
    <message>
        <source>设备类型</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>通道号</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>网络号(PanID)</source>
        <translation>Network ID (PAN ID)</translation>
    </message>
    <message>
        <source>本地网络地址</source>
        <translation>Network address</translation>
    </message>
    <message>
        <source>本地物理地址</source>
        <translation>MAC address</translation>
    </message>
    <message>
        <source>目的网络地址</source>
        <translation>Destination address</translation>
    </message>
    <message>
        <source>目的物理地址</source>
        <translation>Destination MAC address</translation>
    </message>
    <message>
        <source>固件版本号</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>运行状态</source>
        <translation>Run mode</translation>
    </message>
    <message>
        <source>发送模式</source>
        <translation>Send mode</translation>
    </message>
    <message>
        <source>采样率</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>压缩方式</source>
        <translation>Compression</translation>
    </message>
    <message>
        <source>语音工作模式</source>
        <translation>Voice mode</translation>
    </message>
    <message>
        <source>输出音量</source>
        <translation>Output volume</translation>
    </message>
    <message>
        <source>麦克风音量</source>
        <translation>Microphone volume</translation>
    </message>
</context>
<context>
    <name>CPageDevBaseOrlnet</name>
    <message>
        <source>路由表生存时间(s)</source>
        <translation>Route table lifetime (s)</translation>
    </message>
    <message>
        <source>临时路由表生存时间(ms)</source>
        <translation>Temporary route lifetime (ms)</translation>
    </message>
    <message>
        <source>查询路由超时时间(ms)</source>
        <translation>Route query timeout (ms)</translation>
    </message>
    <message>
        <source>路由转发重试时间(ms)</source>
        <translation>Route forward retry time (ms)</translation>
    </message>
    <message>
        <source>路由转发重试次数</source>
        <translation>Route forward retries</translation>
    </message>
    <message>
        <source>数据访问超时时间(ms)</source>
        <translation>Data access timeout (ms)</translation>
    </message>
    <message>
        <source>短路径传输重发时间(ms)</source>
        <translation>Short path resend time (ms)</translation>
    </message>
    <message>
        <source>短路径传输重试次数</source>
        <translation>Short path retries</translation>
    </message>
    <message>
        <source>最小信号强度(dBm)</source>
        <translation>Minimum signal (dBm)</translation>
    </message>
    <message>
        <source>最佳信号强度(dBm)</source>
        <translation>Best signal (dBm)</translation>
    </message>
    <message>
        <source>获取信息</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>更改配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>终端设备</source>
        <translation>End device</translation>
    </message>
    <message>
        <source>路由设备</source>
        <translation>Router</translation>
    </message>
    <message>
        <source>ORLNET设备</source>
        <translation>ORLNET device</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>固件升级模式</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>设备名称</source>
        <translation>Device name</translation>
    </message>
    <message>
        <source>设备类型</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>通道号</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>PanID</source>
        <translation>PAN ID</translation>
    </message>
    <message>
        <source>本地网络地址</source>
        <translation>Network address</translation>
    </message>
    <message>
        <source>固件版本号</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>运行状态</source>
        <translation>Run mode</translation>
    </message>
    <message>
        <source>您的输入有误：%1</source>
        <translation>Invalid input: %1</translation>
    </message>
    <message>
        <source>修改名称失败！设备名称不能大于16个字符</source>
        <translation>Could not change the name: a device name has at most 16 characters.</translation>
    </message>
</context>
<context>
    <name>CPageDevBaseSnap</name>
    <message>
        <source>获取信息</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>更改配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>修改成功!</source>
        <translation>Written.</translation>
    </message>
    <message>
        <source>修改失败....</source>
        <translation>Write failed.</translation>
    </message>
    <message>
        <source>主机模式</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>从机模式</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>固件版本号</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>SNAP脚本版本号</source>
        <translation>SNAP script version</translation>
    </message>
    <message>
        <source>MAC地址</source>
        <translation>MAC address</translation>
    </message>
    <message>
        <source>网络ID(HEX)</source>
        <translation>Network ID (hex)</translation>
    </message>
    <message>
        <source>通道号</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>工作模式</source>
        <translation>Operating mode</translation>
    </message>
    <message>
        <source>目的地址</source>
        <translation>Destination address</translation>
    </message>
    <message>
        <source>心跳包间隔时间</source>
        <translation>Heartbeat interval</translation>
    </message>
    <message>
        <source>心跳包字符</source>
        <translation>Heartbeat text</translation>
    </message>
    <message>
        <source>心跳包使能</source>
        <translation>Heartbeat</translation>
    </message>
    <message>
        <source>显示源地址使能</source>
        <translation>Show source address</translation>
    </message>
    <message>
        <source>485使能</source>
        <translation>RS-485</translation>
    </message>
    <message>
        <source>您的输入有误：%1</source>
        <translation>Invalid input: %1</translation>
    </message>
</context>
<context>
    <name>CPageDevComCel</name>
    <message>
        <source>修改配置失败</source>
        <translation>Could not write the configuration.</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>数据位</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <source>停止位</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <source>校验位</source>
        <translation>Parity</translation>
    </message>
</context>
<context>
    <name>CPageDevComOrlnet</name>
    <message>
        <source>获取信息</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>更改配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>强制为0</source>
        <translation>Space (0)</translation>
    </message>
    <message>
        <source>强制为1</source>
        <translation>Mark (1)</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>数据位</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <source>停止位</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <source>校验位</source>
        <translation>Parity</translation>
    </message>
</context>
<context>
    <name>CPageDevComSnap</name>
    <message>
        <source>获取信息</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>更改配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>修改成功...</source>
        <translation>Written.</translation>
    </message>
    <message>
        <source>修改失败....</source>
        <translation>Write failed.</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>数据位</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <source>校验位</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>停止位</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <source>硬件只支持1个停止位</source>
        <translation>The hardware supports 1 stop bit only.</translation>
    </message>
</context>
<context>
    <name>CPageDevIOCel</name>
    <message>
        <source>方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>IO方向%1</source>
        <translation>IO %1 direction</translation>
    </message>
    <message>
        <source>输出</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>输出&lt;%1&gt;</source>
        <translation>Output &lt;%1&gt;</translation>
    </message>
    <message>
        <source>输入</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>输入(%1)</source>
        <translation>Input (%1)</translation>
    </message>
    <message>
        <source>自动刷新</source>
        <translation>Auto refresh</translation>
    </message>
    <message>
        <source>循环交替输出</source>
        <translation>Cycle outputs</translation>
    </message>
    <message>
        <source>周期(ms)</source>
        <translation>Period (ms)</translation>
    </message>
    <message>
        <source>全部配置成输入</source>
        <translation>All inputs</translation>
    </message>
    <message>
        <source>全部配置成输出</source>
        <translation>All outputs</translation>
    </message>
    <message>
        <source>对应着评估版的两个LED指示灯&lt;2&gt;,&lt;3&gt;；和4个按钮(4),(5),(6)(7)，有两个指示灯&lt;0&gt;,&lt;1&gt;被评估板用做收发数据的指示灯</source>
        <translation>On the evaluation board these are the two LEDs &lt;2&gt;, &lt;3&gt; and the four buttons (4), (5), (6), (7); the LEDs &lt;0&gt;, &lt;1&gt; show the board&apos;s send and receive activity.</translation>
    </message>
    <message>
        <source>操作失败，串口未打开!</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>修改IO输入输出方向出错!</source>
        <translation>Could not change the IO directions.</translation>
    </message>
    <message>
        <source>IO 读取线程正在运行，请先停止IO获取再做此操作...</source>
        <translation>IO reading is running. Stop it before doing this.</translation>
    </message>
</context>
<context>
    <name>CPageDevTerminalVnet</name>
    <message>
        <source>终端休眠时间</source>
        <translation>End device sleep time</translation>
    </message>
    <message>
        <source>终端在线时间</source>
        <translation>End device online time</translation>
    </message>
    <message>
        <source>终端轮询时间</source>
        <translation>End device poll time</translation>
    </message>
    <message>
        <source>(单位100ms)</source>
        <translation>(100 ms units)</translation>
    </message>
    <message>
        <source>获取信息</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>更改配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>获取设备信息失败</source>
        <translation>Could not read the device information.</translation>
    </message>
    <message>
        <source>获取设备信息成功...</source>
        <translation>Device information read.</translation>
    </message>
    <message>
        <source>获取设备属性失败!</source>
        <translation>Could not read the device properties.</translation>
    </message>
    <message>
        <source>修改配置成功</source>
        <translation>Configuration written.</translation>
    </message>
</context>
<context>
    <name>CPageDevTranCel</name>
    <message>
        <source>操作失败...</source>
        <translation>Operation failed.</translation>
    </message>
    <message>
        <source>250 K</source>
        <translation>250 K</translation>
    </message>
    <message>
        <source>500 K</source>
        <translation>500 K</translation>
    </message>
    <message>
        <source>1  M</source>
        <translation>1  M</translation>
    </message>
    <message>
        <source>0x02: 8     dBm</source>
        <translation>0x02: 8     dBm</translation>
    </message>
    <message>
        <source>0x03: 7     dBm</source>
        <translation>0x03: 7     dBm</translation>
    </message>
    <message>
        <source>0x04: 6     dBm</source>
        <translation>0x04: 6     dBm</translation>
    </message>
    <message>
        <source>0x05: 5     dBm</source>
        <translation>0x05: 5     dBm</translation>
    </message>
    <message>
        <source>0x06: 4     dBm</source>
        <translation>0x06: 4     dBm</translation>
    </message>
    <message>
        <source>0x07: 3     dBm</source>
        <translation>0x07: 3     dBm</translation>
    </message>
    <message>
        <source>0x08: 2     dBm</source>
        <translation>0x08: 2     dBm</translation>
    </message>
    <message>
        <source>0x09: 1     dBm</source>
        <translation>0x09: 1     dBm</translation>
    </message>
    <message>
        <source>0x0A: 0     dBm</source>
        <translation>0x0A: 0     dBm</translation>
    </message>
    <message>
        <source>0x0B: -5   dBm</source>
        <translation>0x0B: -5   dBm</translation>
    </message>
    <message>
        <source>0x0C: -7   dBm</source>
        <translation>0x0C: -7   dBm</translation>
    </message>
    <message>
        <source>0x0D: -10dBm</source>
        <translation>0x0D: -10dBm</translation>
    </message>
    <message>
        <source>0x0E: -15dBm</source>
        <translation>0x0E: -15dBm</translation>
    </message>
    <message>
        <source>0x0F: -20dBm</source>
        <translation>0x0F: -20dBm</translation>
    </message>
    <message>
        <source>0x10: -30dBm</source>
        <translation>0x10: -30dBm</translation>
    </message>
    <message>
        <source>0x11: -40dBm</source>
        <translation>0x11: -40dBm</translation>
    </message>
    <message>
        <source>0x12: -50dBm</source>
        <translation>0x12: -50dBm</translation>
    </message>
    <message>
        <source>速率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>发送功率</source>
        <translation>Transmit power</translation>
    </message>
    <message>
        <source>发送重试次数</source>
        <translation>Send retries</translation>
    </message>
    <message>
        <source>输入0-255之间</source>
        <translation>Enter 0 to 255</translation>
    </message>
    <message>
        <source>重试间隔时间(单位100ms)</source>
        <translation>Retry interval (100 ms units)</translation>
    </message>
    <message>
        <source>重试间隔时间(单位ms)</source>
        <translation>Retry interval (ms)</translation>
    </message>
    <message>
        <source>0x00: -32   dbm</source>
        <translation>0x00: -32   dbm</translation>
    </message>
    <message>
        <source>0x01: -20.5 dbm</source>
        <translation>0x01: -20.5 dbm</translation>
    </message>
    <message>
        <source>0x02: -9    dbm</source>
        <translation>0x02: -9    dbm</translation>
    </message>
    <message>
        <source>0x03: 2.5   dbm</source>
        <translation>0x03: 2.5   dbm</translation>
    </message>
</context>
<context>
    <name>CPageDevTranOrlnet</name>
    <message>
        <source>获取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>速率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>发送功率</source>
        <translation>Transmit power</translation>
    </message>
</context>
<context>
    <name>CPageDevTranSnap</name>
    <message>
        <source>获取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>修改成功!</source>
        <translation>Written.</translation>
    </message>
    <message>
        <source>修改失败</source>
        <translation>Write failed.</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>实时更新信号强度</source>
        <translation>Live signal strength</translation>
    </message>
    <message>
        <source>信号强度</source>
        <translation>Signal strength</translation>
    </message>
    <message>
        <source>速率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>无线发送功率</source>
        <translation>Transmit power</translation>
    </message>
    <message>
        <source>路由功能使能</source>
        <translation>Routing</translation>
    </message>
    <message>
        <source>信号强度(db)</source>
        <translation>Signal strength (dB)</translation>
    </message>
</context>
<context>
    <name>CPageListDevRemoteCel</name>
    <message>
        <source>通道号</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>速 率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>网络号</source>
        <translation>Network ID</translation>
    </message>
    <message>
        <source>本地网络地址</source>
        <translation>Network address</translation>
    </message>
    <message>
        <source>状 态</source>
        <translation>Run mode</translation>
    </message>
    <message>
        <source>远程模块</source>
        <translation>Remote modules</translation>
    </message>
    <message>
        <source>搜索设备</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>复位设备</source>
        <translation>Reset device</translation>
    </message>
    <message>
        <source>动态搜索</source>
        <translation>Dynamic search</translation>
    </message>
    <message>
        <source>静态搜索</source>
        <translation>Static search</translation>
    </message>
    <message>
        <source>手动添加</source>
        <translation>Add by hand</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>操作失败,串口未打开...</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>操作失败，串口未打开...</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>手动添加数据已存在，请重新添加</source>
        <translation>This module is already in the list.</translation>
    </message>
    <message>
        <source>删除此项</source>
        <translation>Remove</translation>
    </message>
</context>
<context>
    <name>CPageListDevRemoteOrlnet</name>
    <message>
        <source>操作失败,串口未打开...</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>搜索不到设备</source>
        <translation>No devices found.</translation>
    </message>
</context>
<context>
    <name>CPageListDevRemoteSnap</name>
    <message>
        <source>网络ID</source>
        <translation>Network ID</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
</context>
<context>
    <name>CPageListLocalDev</name>
    <message>
        <source>获取本地信息</source>
        <translation>Read local module</translation>
    </message>
    <message>
        <source>复位本地设备</source>
        <translation>Reset local module</translation>
    </message>
    <message>
        <source>搜索网络设备</source>
        <translation>Search network</translation>
    </message>
    <message>
        <source>操作失败，串口未打开...</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
</context>
<context>
    <name>CPageTranData</name>
    <message>
        <source>地址(hex)</source>
        <translation>Address (hex)</translation>
    </message>
    <message>
        <source>数据(hex)</source>
        <translation>Data (hex)</translation>
    </message>
    <message>
        <source>接收(hex)</source>
        <translation>Received (hex)</translation>
    </message>
    <message>
        <source>状态(hex)</source>
        <translation>Status (hex)</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>接收</source>
        <translation>Receive</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>操作成功!</source>
        <translation>Done.</translation>
    </message>
    <message>
        <source>操作失败!</source>
        <translation>Failed.</translation>
    </message>
    <message>
        <source>无接收数据</source>
        <translation>Nothing received.</translation>
    </message>
</context>
<context>
    <name>CPanViewCel</name>
    <message>
        <source>基本信息</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>串口信息</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>无线传送信息</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>高级设置</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>终端设置</source>
        <translation>End device</translation>
    </message>
    <message>
        <source>低功耗参数</source>
        <translation>Low power</translation>
    </message>
    <message>
        <source>安全设置</source>
        <translation>Security</translation>
    </message>
    <message>
        <source>IO测试</source>
        <translation>IO test</translation>
    </message>
    <message>
        <source>AD采样</source>
        <translation>AD sampling</translation>
    </message>
    <message>
        <source>你没有选择设备，请先选择左边设备列表的一个设备再进行此操作...</source>
        <translation>No device selected. Select a device in the list on the left first.</translation>
    </message>
    <message>
        <source>获取属性成功</source>
        <translation>Properties read.</translation>
    </message>
    <message>
        <source>操作失败，串口未打开...</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>复位命令发送成功</source>
        <translation>Reset command sent.</translation>
    </message>
    <message>
        <source>复位命令发送失败</source>
        <translation>Could not send the reset command.</translation>
    </message>
</context>
<context>
    <name>CPanViewHelp</name>
    <message>
        <source>ZigBee 无线模块配置工具：打开串口，识别模块，读取并修改模块配置。</source>
        <translation>ZigBee radio module configuration tool: open a serial port, identify the module, read and change its configuration.</translation>
    </message>
    <message>
        <source>（由发行方填写）</source>
        <translation>(filled in by the distributor)</translation>
    </message>
    <message>
        <source>销售电话</source>
        <translation>Sales phone</translation>
    </message>
    <message>
        <source>技术支持电话</source>
        <translation>Support phone</translation>
    </message>
    <message>
        <source>技术支持邮箱</source>
        <translation>Support email</translation>
    </message>
    <message>
        <source>主页</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>Plexcon V1.20.2 LowPower</source>
        <translation>Plexcon V1.20.2 LowPower</translation>
    </message>
</context>
<context>
    <name>CPanViewOrlnet</name>
    <message>
        <source>基本信息</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>串口信息</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>无线传送信息</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>查找路由表</source>
        <translation>Route tables</translation>
    </message>
    <message>
        <source>高级设置</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>LED测试</source>
        <translation>LED test</translation>
    </message>
    <message>
        <source>数据传输</source>
        <translation>Data transfer</translation>
    </message>
    <message>
        <source>获取属性成功</source>
        <translation>Properties read.</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>Read failed.</translation>
    </message>
    <message>
        <source>操作失败，串口未打开...</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
</context>
<context>
    <name>CPanViewPcCom</name>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>获取固件类型</source>
        <translation>Identify firmware</translation>
    </message>
    <message>
        <source>串口状态</source>
        <translation>Port status</translation>
    </message>
    <message>
        <source>本地串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>重新扫描</source>
        <translation>Rescan</translation>
    </message>
    <message>
        <source>高级</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>串口参数</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>数据位</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <source>校验位</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>停止位</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <source>超时(ms)</source>
        <translation>Timeout (ms)</translation>
    </message>
    <message>
        <source>超时间不能位空！</source>
        <translation>The timeout cannot be empty.</translation>
    </message>
    <message>
        <source>打开串口失败</source>
        <translation>Could not open the serial port.</translation>
    </message>
    <message>
        <source>串口打开成功，串口号:%1; 波特率:%2; 数据位:%3;校验位:%4; 停止位:%5; 超时:%6毫秒</source>
        <translation>Port open: %1; baud rate %2; data bits %3; parity %4; stop bits %5; timeout %6 ms</translation>
    </message>
    <message>
        <source>操作失败，串口未打开</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>不能获取到设备信息...</source>
        <translation>Could not read the device information.</translation>
    </message>
    <message>
        <source>此串口接的设备是Quickmesh设备</source>
        <translation>The device on this port is a Quickmesh device.</translation>
    </message>
    <message>
        <source>此串口接的设备是VNET通用设备</source>
        <translation>The device on this port is a VNET general device.</translation>
    </message>
    <message>
        <source>没有打开任何的串口</source>
        <translation>No serial port is open.</translation>
    </message>
</context>
<context>
    <name>CPanViewSample</name>
    <message>
        <source>使用示例</source>
        <translation>Examples of use</translation>
    </message>
    <message>
        <source>1. 打开串口</source>
        <translation>1. Open the serial port</translation>
    </message>
    <message>
        <source>在“串口”面板选择模块所在的串口，设置波特率、数据位、校验位、停止位和超时时间，然后点击“打开串口”。
状态栏显示串口号和参数即表示打开成功。</source>
        <translation>On the “Serial port” panel pick the module&apos;s port, set the baud rate, data bits, parity, stop bits and timeout, then click “Open port”.
The port is open when the status line shows its name and settings.</translation>
    </message>
    <message>
        <source>2. 识别模块</source>
        <translation>2. Identify the module</translation>
    </message>
    <message>
        <source>点击“获取固件类型”，程序读取模块配置并提示这是 Quickmesh 设备还是 VNET 通用设备。
然后在导航栏选择对应的面板：“Quickmesh”、“LowPower”或“VNET”。</source>
        <translation>Click “Identify firmware”: the program reads the module&apos;s configuration and says whether it is a Quickmesh or a VNET general device.
Then pick the matching panel on the navigation bar: “Quickmesh”, “LowPower” or “VNET”.</translation>
    </message>
    <message>
        <source>3. 读取与修改配置</source>
        <translation>3. Read and change the configuration</translation>
    </message>
    <message>
        <source>在面板左侧选择本地模块或远程模块，在配置信息分类中选择页面，读取配置后修改字段，
点击“更改配置”并输入配置密码即可写回模块。</source>
        <translation>On the left of the panel pick the local or a remote module and a page under the settings; read the configuration, change fields,
then click “Write” and enter the configuration password to write them to the module.</translation>
    </message>
    <message>
        <source>4. 搜索远程模块</source>
        <translation>4. Search for remote modules</translation>
    </message>
    <message>
        <source>在 Quickmesh 与 LowPower 面板中，选择信道和速率后搜索空中的远程模块，或手动添加；
对远程模块的读取、写入、复位都经由本地模块完成。</source>
        <translation>On the Quickmesh and LowPower panels pick channels and rates and search the air for remote modules, or add them by hand;
remote modules are read, written and reset through the local module.</translation>
    </message>
    <message>
        <source>没有模块时</source>
        <translation>Without a module</translation>
    </message>
    <message>
        <source>以 &lt;code&gt;plexcon --demo&lt;/code&gt; 启动，程序在本机模拟一个模块，其串口已在列表中选中，可直接打开试用。</source>
        <translation>Start &lt;code&gt;plexcon --demo&lt;/code&gt;: the program simulates a module on this computer with its port already selected in the list; open it and try.</translation>
    </message>
    <message>
        <source>应用案例</source>
        <translation>Examples</translation>
    </message>
</context>
<context>
    <name>CPanViewSnap</name>
    <message>
        <source>基本信息</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>串口信息</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>无线传送信息</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>高级设置</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>操作失败，串口未打开...</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>获取属性成功</source>
        <translation>Properties read.</translation>
    </message>
    <message>
        <source>获取失败</source>
        <translation>Read failed.</translation>
    </message>
</context>
<context>
    <name>CPlexconCELDlg</name>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>SNAP</source>
        <translation>SNAP</translation>
    </message>
    <message>
        <source>VNET</source>
        <translation>VNET</translation>
    </message>
    <message>
        <source>应用案例</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ORLNET</source>
        <translation>ORLNET</translation>
    </message>
    <message>
        <source>Quickmesh</source>
        <translation>Quickmesh</translation>
    </message>
    <message>
        <source>LowPower</source>
        <translation>LowPower</translation>
    </message>
    <message>
        <source>导航</source>
        <translation>Navigation</translation>
    </message>
</context>
<context>
    <name>CProgressDlg</name>
    <message>
        <source>正在执行，请稍候……</source>
        <translation>Working, please wait…</translation>
    </message>
</context>
<context>
    <name>CSetUSBId</name>
    <message>
        <source>修改虚拟串口配置</source>
        <translation>Virtual serial port settings</translation>
    </message>
    <message>
        <source>刷新列表</source>
        <translation>Refresh list</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>设备列表</source>
        <translation>Devices</translation>
    </message>
    <message>
        <source>虚拟串口ID</source>
        <translation>Virtual port ID</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>设备%1 (ID：%2)</source>
        <translation>Device %1 (ID: %2)</translation>
    </message>
    <message>
        <source>设备还未就绪，更新列表失败</source>
        <translation>The device is not ready: could not refresh the list.</translation>
    </message>
    <message>
        <source>获取虚拟串口ID失败</source>
        <translation>Could not read the virtual port ID.</translation>
    </message>
    <message>
        <source>打开虚拟串口失败</source>
        <translation>Could not open the virtual serial port.</translation>
    </message>
    <message>
        <source>设置虚拟串口ID失败</source>
        <translation>Could not set the virtual port ID.</translation>
    </message>
    <message>
        <source>	    修改成功,正在复位设备……

(如果系统提示重装设备驱动，请正确安装后再点确定）</source>
        <translation>Changed. Resetting the device…

(If the system asks to reinstall the device driver, install it, then click OK.)</translation>
    </message>
</context>
<context>
    <name>CTerminalEdit</name>
    <message>
        <source>您的输入不正确，请输入0-65535以内的值</source>
        <translation>Invalid input: enter a value from 0 to 65535.</translation>
    </message>
</context>
<context>
    <name>CTestLed</name>
    <message>
        <source>添加路由</source>
        <translation>Add routes</translation>
    </message>
    <message>
        <source>刷新当前路由</source>
        <translation>Refresh routes</translation>
    </message>
    <message>
        <source>搜索添加路由</source>
        <translation>Find and add routes</translation>
    </message>
    <message>
        <source>起始ID</source>
        <translation>Start ID</translation>
    </message>
    <message>
        <source>结束ID</source>
        <translation>End ID</translation>
    </message>
    <message>
        <source>添加成功的路由：</source>
        <translation>Routes added:</translation>
    </message>
    <message>
        <source>添加失败的路由：</source>
        <translation>Routes not added:</translation>
    </message>
    <message>
        <source>测试信息</source>
        <translation>Test results</translation>
    </message>
    <message>
        <source>开始测试</source>
        <translation>Start test</translation>
    </message>
    <message>
        <source>停止测试</source>
        <translation>Stop test</translation>
    </message>
    <message>
        <source>保存为CSV</source>
        <translation>Save as CSV</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>路由表为空，开始测试至少需要一个ID！</source>
        <translation>The route table is empty: the test needs at least one ID.</translation>
    </message>
    <message>
        <source>CSV文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>失败次数</source>
        <translation>Failures</translation>
    </message>
    <message>
        <source>命令次数</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>保存文件失败</source>
        <translation>Could not save the file.</translation>
    </message>
</context>
<context>
    <name>CelChannels</name>
    <message>
        <source>Channel %1 (%2MHz)</source>
        <translation>Channel %1 (%2 MHz)</translation>
    </message>
</context>
<context>
    <name>CelConfigPage</name>
    <message>
        <source>获取信息</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>更改配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>获取设备信息失败</source>
        <translation>Could not read the device information.</translation>
    </message>
    <message>
        <source>获取设备属性失败!</source>
        <translation>Could not read the device properties.</translation>
    </message>
    <message>
        <source>密码错误!操作失败</source>
        <translation>Wrong password: operation failed.</translation>
    </message>
    <message>
        <source>修改配置成功</source>
        <translation>Configuration written.</translation>
    </message>
</context>
<context>
    <name>CelSearchRows</name>
    <message>
        <source>250k</source>
        <translation>250K</translation>
    </message>
    <message>
        <source>500K</source>
        <translation>500K</translation>
    </message>
    <message>
        <source>1M</source>
        <translation>1M</translation>
    </message>
    <message>
        <source>固件升级模式</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>ConfigPageFrame</name>
    <message>
        <source>获取设备信息成功...</source>
        <translation>Device information read.</translation>
    </message>
</context>
<context>
    <name>FamilyPanel</name>
    <message>
        <source>设备</source>
        <translation>Devices</translation>
    </message>
    <message>
        <source>配置信息分类</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>本地模块</source>
        <translation>Local module</translation>
    </message>
    <message>
        <source>远程模块</source>
        <translation>Remote modules</translation>
    </message>
</context>
<context>
    <name>OrlnetConfigPage</name>
    <message>
        <source>您的输入有误：%1</source>
        <translation>Invalid input: %1</translation>
    </message>
    <message>
        <source>操作失败，串口未打开！</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
    <message>
        <source>获取设备信息失败</source>
        <translation>Could not read the device information.</translation>
    </message>
    <message>
        <source>获取设备属性失败!</source>
        <translation>Could not read the device properties.</translation>
    </message>
    <message>
        <source>密码错误!操作失败</source>
        <translation>Wrong password: operation failed.</translation>
    </message>
    <message>
        <source>修改配置成功</source>
        <translation>Configuration written.</translation>
    </message>
    <message>
        <source>操作失败...</source>
        <translation>Operation failed.</translation>
    </message>
</context>
<context>
    <name>OrlnetSnapRemoteList</name>
    <message>
        <source>远程模块</source>
        <translation>Remote modules</translation>
    </message>
    <message>
        <source>搜索设备</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>获取信息</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>复位设备</source>
        <translation>Reset device</translation>
    </message>
    <message>
        <source>操作失败，串口未打开...</source>
        <translation>Failed: the serial port is not open.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>通道号</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>速 率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>网络号</source>
        <translation>Network ID</translation>
    </message>
    <message>
        <source>本地ID</source>
        <translation>Local ID</translation>
    </message>
    <message>
        <source>状 态</source>
        <translation>Run mode</translation>
    </message>
    <message>
        <source>固件升级模式</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>正常模式</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>信号强度(db)</source>
        <translation>Signal strength (dB)</translation>
    </message>
    <message>
        <source>信号强度曲线</source>
        <translation>Signal strength chart</translation>
    </message>
    <message>
        <source>你没有选择设备，请先选择左边设备列表的一个设备再进行此操作...</source>
        <translation>No device selected. Select a device in the list on the left first.</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 分 %2 秒</source>
        <translation>%1 min %2 s</translation>
    </message>
</context>
<context>
    <name>RouteChainView</name>
    <message>
        <source>路由图</source>
        <translation>Route diagram</translation>
    </message>
    <message>
        <source>本地</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>%1, 最弱链路 %2dBm → %3</source>
        <translation>%1, weakest link %2 dBm → %3</translation>
    </message>
    <message>
        <source>选择一行以显示其路由</source>
        <translation>Select a row to show its route.</translation>
    </message>
</context>
<context>
    <name>SearchDialogFrame</name>
    <message>
        <source>Search Dev</source>
        <translation>Search devices</translation>
    </message>
    <message>
        <source>搜索配置</source>
        <translation>Search settings</translation>
    </message>
    <message>
        <source>Channel-%1(%2MHz) </source>
        <translation>Channel-%1(%2MHz) </translation>
    </message>
    <message>
        <source>速率选择</source>
        <translation>Rates</translation>
    </message>
    <message>
        <source>250K</source>
        <translation>250K</translation>
    </message>
    <message>
        <source>500K</source>
        <translation>500K</translation>
    </message>
    <message>
        <source>1M</source>
        <translation>1M</translation>
    </message>
    <message>
        <source>搜索到的设备</source>
        <translation>Devices found</translation>
    </message>
    <message>
        <source>搜索进度</source>
        <translation>Search progress</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>SnapConfigPage</name>
    <message>
        <source>串口未打开</source>
        <translation>The serial port is not open.</translation>
    </message>
    <message>
        <source>获取设备信息失败...</source>
        <translation>Could not read the device information.</translation>
    </message>
    <message>
        <source>操作失败,获取密码失败...</source>
        <translation>Failed: could not read the password.</translation>
    </message>
    <message>
        <source>操作失败，获取密码失败...</source>
        <translation>Failed: could not read the password.</translation>
    </message>
    <message>
        <source>操作失败,密码错误...</source>
        <translation>Failed: wrong password.</translation>
    </message>
</context>
<context>
    <name>UpgradeDialog</name>
    <message>
        <source>固件升级</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>选择固件文件</source>
        <translation>Firmware file</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>升级</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>进入升级模式</source>
        <translation>Enter upgrade mode</translation>
    </message>
    <message>
        <source>升级进度</source>
        <translation>Upgrade progress</translation>
    </message>
    <message>
        <source>升级进度说明</source>
        <translation>Upgrade progress details</translation>
    </message>
    <message>
        <source>未选择固件文件</source>
        <translation>No firmware file selected.</translation>
    </message>
    <message>
        <source>固件文件不存在或无法读取</source>
        <translation>The firmware file does not exist or cannot be read.</translation>
    </message>
    <message>
        <source>固件文件不完整：比文件头声明的数据区短</source>
        <translation>The firmware file is incomplete: it is shorter than the data its header declares.</translation>
    </message>
    <message>
        <source>所选的远程模块不在搜索列表中</source>
        <translation>The selected remote module is not in the search list.</translation>
    </message>
    <message>
        <source>串口未打开</source>
        <translation>The serial port is not open.</translation>
    </message>
    <message>
        <source>固件升级失败</source>
        <translation>Firmware upgrade failed.</translation>
    </message>
    <message>
        <source>无法读取模块的配置，升级后将不能恢复它。仍然升级吗？</source>
        <translation>The module&apos;s configuration cannot be read, so it cannot be restored after the upgrade. Upgrade anyway?</translation>
    </message>
    <message>
        <source>正在准备升级...</source>
        <translation>Preparing the upgrade…</translation>
    </message>
    <message>
        <source>已发送 %1 / %2 块，剩余时间约 %3</source>
        <translation>Sent %1 of %2 blocks, about %3 left</translation>
    </message>
    <message>
        <source>已发送 %1 / %2 块</source>
        <translation>Sent %1 of %2 blocks</translation>
    </message>
    <message>
        <source>已发送 %1 / %1 块，用时 %2</source>
        <translation>Sent %1 of %1 blocks in %2</translation>
    </message>
    <message>
        <source>固件升级成功</source>
        <translation>Firmware upgraded.</translation>
    </message>
    <message>
        <source>是否把升级前读出的配置写回模块？</source>
        <translation>Write the configuration read before the upgrade back to the module?</translation>
    </message>
    <message>
        <source>配置写回失败</source>
        <translation>Could not write the configuration back.</translation>
    </message>
    <message>
        <source>配置已写回模块，读回核对一致</source>
        <translation>Configuration written back and verified.</translation>
    </message>
    <message>
        <source>配置已写回，但读回的配置与升级前不一致</source>
        <translation>Configuration written back, but the read-back differs from the configuration before the upgrade.</translation>
    </message>
    <message>
        <source>固件升级正在进行，中止会使模块的固件不完整。确定中止升级吗？</source>
        <translation>A firmware upgrade is running; stopping it leaves the module&apos;s firmware incomplete. Stop the upgrade?</translation>
    </message>
    <message>
        <source>升级已中止</source>
        <translation>Upgrade stopped.</translation>
    </message>
</context>
<context>
    <name>vnet</name>
    <message>
        <source>密码错误!操作失败</source>
        <translation>Wrong password: operation failed.</translation>
    </message>
</context>
</TS>
