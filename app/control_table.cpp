#include "app/control_table.h"

#include "actions/control_ids.h"
#include "actions/handlers.h"

const char* const kPageCaptions[kPageCount] = {"网址检测", "参数更改", "重置网络", "关于作者"};

// clang-format off
const ControlSpec kControls[] = {
  // page kind       role                 caption                x    y    w    h   style                      click
  {0, kLabel,    0,                  "地址1",              0,  48,  72,  48, kAlignCentre,              nullptr},
  {0, kEdit,     addressEdit1,       nullptr,             64,  56, 280,  32, 0,                         nullptr},
  {0, kLabel,    0,                  "地址2",              0, 112,  72,  32, kAlignCentre,              nullptr},
  {0, kEdit,     addressEdit2,       nullptr,             64, 112, 280,  32, 0,                         nullptr},
  {0, kLabel,    0,                  "检测方式",          56, 168,  64,  24, kAlignCentre,              nullptr},
  {0, kCheckBox, pingCheck,          "ping",              32, 200,  64,  24, 0,                         nullptr},
  {0, kCheckBox, tracertCheck,       "tracert",           96, 200,  64,  24, 0,                         nullptr},
  {0, kButton,   checkButton,        "按钮",             200, 168, 144,  56, 0,                         OnCheckButton},
  {1, kLabel,    0,                  "连接名称",          40,  32,  48,  24, kAlignLeft,                nullptr},
  {1, kEdit,     connectionNameEdit, nullptr,            112,  32, 240,  24, 0,                         nullptr},
  {1, kLabel,    0,                  "IP地址",            48,  64,  40,  24, kAlignLeft,                nullptr},
  {1, kEdit,     ipEdit,             nullptr,            112,  64, 240,  24, 0,                         nullptr},
  {1, kLabel,    0,                  "网关",              40,  96,  56,  24, kAlignCentre,              nullptr},
  {1, kEdit,     gatewayEdit,        nullptr,            112,  96, 240,  24, 0,                         nullptr},
  {1, kLabel,    0,                  "子网掩码",          40, 128,  56,  24, kAlignLeft,                nullptr},
  {1, kEdit,     maskEdit,           nullptr,            112, 128, 240,  24, 0,                         nullptr},
  {1, kLabel,    0,                  "DNS地址",           40, 160,  48,  32, kAlignCentre,              nullptr},
  {1, kEdit,     dnsEdit,            nullptr,            112, 160, 240,  24, 0,                         nullptr},
  {1, kButton,   connectivityButton, "检测联网状况",      16, 208,  96,  40, 0,                         OnConnectivityButton},
  {1, kButton,   showParamsButton,   "检测网络参数",     128, 208, 112,  40, 0,                         OnShowParamsButton},
  {1, kButton,   saveButton,         "保存设置",         256, 208, 112,  40, 0,                         OnSaveButton},
  {2, kLabel,    0,                  "点击重置网络",      24,  64, 328,  40, kAlignCentre | kOwnFont,   nullptr},
  {2, kButton,   resetButton,        "按钮",              80, 144, 232,  72, 0,                         OnResetButton},
  {3, kLabel,    0,                  "2019/6/24 第一版",  88, 120, 200,  40, kAlignCentre,              nullptr},
};
// clang-format on

const int kControlCount = sizeof kControls / sizeof kControls[0];

const ControlSpec* FindControl(int id) {
  for (const ControlSpec& control : kControls) {
    if (id != 0 && control.id == id) return &control;
  }
  return nullptr;
}
