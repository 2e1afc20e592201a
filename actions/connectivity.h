// The connectivity probe behind 检测联网状况.
#pragma once

// Whether WinINet can connect to the probe site and its page holds the marker.
bool IsOnline();
