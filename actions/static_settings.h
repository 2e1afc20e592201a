// Static IPv4 address and DNS server of a connection, through hidden netsh runs.
#pragma once

#include <optional>

#include "runtime/text.h"

// "netsh interface ip set address " name " static " address " " mask " " gateway
// " 1". An omitted name means "本地连接"; a name passed empty stays empty; a name
// with a space goes between double quotes. True when the output holds "确定";
// otherwise false, and *errorText (when given) becomes the output less its last
// CR LF.
bool SetStaticAddress(const Text& address, const Text& gateway, const Text& mask,
                      const std::optional<Text>& connectionName = std::nullopt, Text* errorText = nullptr);

// The same with "cmd /c netsh interface ip set dns " name " static " dnsServer.
bool SetStaticDns(const Text& dnsServer, const std::optional<Text>& connectionName = std::nullopt,
                  Text* errorText = nullptr);
