// One routine per button. Each runs to completion on the window's thread and
// reaches Windows only through the runtime and exec services.
#pragma once

void OnCheckButton();         // 网址检测: ping or tracert consoles
void OnShowParamsButton();    // 检测网络参数: ipconfig /all, waited for
void OnResetButton();         // 重置网络: netsh winsock reset
void OnSaveButton();          // 保存设置: static address and DNS through netsh
void OnConnectivityButton();  // 检测联网状况: 已联网 or 未联网
