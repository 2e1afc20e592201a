// 保存设置. Not built yet: the hidden command runner comes first.
#include "actions/handlers.h"

void OnSaveButton() {}
