// 检测联网状况. Not built yet: the page request comes first.
#include "actions/handlers.h"

void OnConnectivityButton() {}
