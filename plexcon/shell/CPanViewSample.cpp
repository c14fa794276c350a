#include "shell/CPanViewSample.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// The guide: headings and paragraphs, each translated as a whole.
struct GuidePart {
    const char* tag;
    const char* text;
};
const GuidePart kGuide[] = {
    {"h2", QT_TRANSLATE_NOOP("CPanViewSample", "使用示例")},
    {"h3", QT_TRANSLATE_NOOP("CPanViewSample", "1. 打开串口")},
    {"p", QT_TRANSLATE_NOOP("CPanViewSample",
                            "在“串口”面板选择模块所在的串口，设置波特率、数据位、校验位、停止位和超时时间，然后点击“打开串口”。\n"
                            "状态栏显示串口号和参数即表示打开成功。")},
    {"h3", QT_TRANSLATE_NOOP("CPanViewSample", "2. 识别模块")},
    {"p", QT_TRANSLATE_NOOP("CPanViewSample",
                            "点击“获取固件类型”，程序读取模块配置并提示这是 Quickmesh 设备还是 VNET 通用设备。\n"
                            "然后在导航栏选择对应的面板：“Quickmesh”、“LowPower”或“VNET”。")},
    {"h3", QT_TRANSLATE_NOOP("CPanViewSample", "3. 读取与修改配置")},
    {"p", QT_TRANSLATE_NOOP("CPanViewSample",
                            "在面板左侧选择本地模块或远程模块，在配置信息分类中选择页面，读取配置后修改字段，\n"
                            "点击“更改配置”并输入配置密码即可写回模块。")},
    {"h3", QT_TRANSLATE_NOOP("CPanViewSample", "4. 搜索远程模块")},
    {"p", QT_TRANSLATE_NOOP("CPanViewSample",
                            "在 Quickmesh 与 LowPower 面板中，选择信道和速率后搜索空中的远程模块，或手动添加；\n"
                            "对远程模块的读取、写入、复位都经由本地模块完成。")},
    {"h3", QT_TRANSLATE_NOOP("CPanViewSample", "没有模块时")},
    {"p", QT_TRANSLATE_NOOP("CPanViewSample",
                            "以 <code>plexcon --demo</code> 启动，程序在本机模拟一个模块，其串口已在列表中选中，可直接打开试用。")},
};

QString GuideHtml() {
    QString html = QStringLiteral("\n");
    for (const GuidePart& part : kGuide)
        html += QStringLiteral("<%1>%2</%1>\n").arg(QLatin1String(part.tag), CPanViewSample::tr(part.text));
    return html;
}

}  // namespace

CPanViewSample::CPanViewSample(QWidget* parent) : QWidget(parent) {
    auto* page = new QTextBrowser;
    page->setHtml(GuideHtml());
    page->setAccessibleName(tr("应用案例"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
}
