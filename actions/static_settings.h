// A connection's IPv4 address and DNS servers, static or automatic (DHCP),
// through hidden netsh runs.
#pragma once

#include <optional>

#include "exec/run_hidden.h"
#include "runtime/text.h"

// "netsh interface ip set address " name " static " address " " mask " " gateway
// " 1". An omitted name means "本地连接"; a name passed empty stays empty; a name
// with a space goes between double quotes. True when netsh exited with 0 or its
// output holds "确定"; otherwise false, and *errorText (when given) becomes the
// output less its last CR LF. *exit (when given) tells how the run ended.
bool SetStaticAddress(const Text& address, const Text& gateway, const Text& mask,
                      const std::optional<Text>& connectionName = std::nullopt, Text* errorText = nullptr,
                      ChildExit* exit = nullptr);

// The same with "cmd /c netsh interface ip set dns " name " static " dnsServer.
bool SetStaticDns(const Text& dnsServer, const std::optional<Text>& connectionName = std::nullopt,
                  Text* errorText = nullptr, ChildExit* exit = nullptr);

// The same with "netsh interface ip add dns " name " " dnsServer " index=2": the
// second DNS server, after SetStaticDns has set the first.
bool AddSecondDns(const Text& dnsServer, const Text& connectionName, Text* errorText = nullptr,
                  ChildExit* exit = nullptr);

// The same with "netsh interface ip set address " name " dhcp" and
// "netsh interface ip set dns " name " dhcp": back to automatic settings.
bool SetDhcpAddress(const Text& connectionName, Text* errorText = nullptr, ChildExit* exit = nullptr);
bool SetDhcpDns(const Text& connectionName, Text* errorText = nullptr, ChildExit* exit = nullptr);
