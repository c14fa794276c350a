#include "shell/CPanViewSample.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const char* const kGuide = R"(
<h2>使用示例</h2>
<h3>1. 打开串口</h3>
<p>在“串口”面板选择模块所在的串口，设置波特率、数据位、校验位、停止位和超时时间，然后点击“打开串口”。
状态栏显示串口号和参数即表示打开成功。</p>
<h3>2. 识别模块</h3>
<p>点击“获取固件类型”，程序读取模块配置并提示这是 Quickmesh 设备还是 VNET 通用设备。
然后在导航栏选择对应的面板：“Quickmesh”、“LowPower”或“VNET”。</p>
<h3>3. 读取与修改配置</h3>
<p>在面板左侧选择本地模块或远程模块，在配置信息分类中选择页面，读取配置后修改字段，
点击“更改配置”并输入配置密码即可写回模块。</p>
<h3>4. 搜索远程模块</h3>
<p>在 Quickmesh 与 LowPower 面板中，选择信道和速率后搜索空中的远程模块，或手动添加；
对远程模块的读取、写入、复位都经由本地模块完成。</p>
<h3>没有模块时</h3>
<p>以 <code>plexcon --demo</code> 启动，程序在本机模拟一个模块，其串口已在列表中选中，可直接打开试用。</p>
)";

}  // namespace

CPanViewSample::CPanViewSample(QWidget* parent) : QWidget(parent) {
    auto* page = new QTextBrowser;
    page->setHtml(QString::fromUtf8(kGuide));
    page->setAccessibleName(tr("应用案例"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
}
