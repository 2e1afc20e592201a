// 保存设置's checks of its input before anything runs, and how netsh's answers are read.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/connections.h"
#include "runtime/text.h"
#include "runtime/window.h"

// True for exactly four decimal numbers 0 to 255 of one to three ASCII digits,
// without leading zeros, joined by single dots. Writes the address with the first
// number in the top byte to *address when address is not null.
bool ParseIpv4(const Text& text, std::uint32_t* address);

// The first fault among the four non-empty fields, in the page's order: IP
// address, gateway, mask, DNS. Empty when all four are right.
MessageText FirstAddressFault(const Text& ip, const Text& gateway, const Text& mask, const Text& dns);

// The one or two servers of a DNS field that FirstAddressFault accepts, in order,
// as typed.
TextList SplitDnsServers(const Text& dns);

// True when cmd was started and netsh exited with 0 or printed "确定" (older
// systems).
bool NetshSucceeded(bool started, unsigned long exitCode, const Text& output);

enum NetshCommand { kAddressCommand, kDnsCommand };

// What the user is told after a failed command: that netsh could not run,
// otherwise netsh's own reply, otherwise the command and its exit code.
MessageText NetshFailureMessage(NetshCommand command, bool started, unsigned long exitCode, const Text& errorText);

// Empty when the name is one of the connections' names (ASCII letters in any
// case) or its index in decimal, or when the list is empty (it could not be
// read); otherwise the message that lists the connections there are.
MessageText ConnectionNameFault(const Text& name, const std::vector<Connection>& connections);

// True when a name is given and the four address fields are all empty.
bool AsksForDhcp(const Text& name, const Text& ip, const Text& gateway, const Text& mask, const Text& dns);

// The question asked before the connection is switched to DHCP.
MessageText DhcpQuestion(const Text& name);
