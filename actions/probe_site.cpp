#include "actions/probe_site.h"

// The marker is the UTF-8 of 百度一下, written as bytes because literals are
// compiled to GBK.
const ConnectivityProbe kConnectivityProbe = {
    "https://www.baidu.com",
    "https://www.baidu.com/",
    TextToBytes("\xE7\x99\xBE\xE5\xBA\xA6\xE4\xB8\x80\xE4\xB8\x8B"),
};
