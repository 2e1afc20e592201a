// The machine's network connections, as netsh knows them.
#pragma once

#include <vector>

#include "runtime/text.h"

struct Connection {
  Text name;            // the friendly name, in the ANSI code page ("以太网 2")
  unsigned long index;  // the interface index, which netsh also takes
};

// The IPv4 connections of the machine, loopback and tunnels left out, in the
// system's order; empty when they cannot be read.
std::vector<Connection> MachineConnections();
