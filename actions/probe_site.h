// The site the connectivity check probes. Defined on its own in
// connectivity_probe.cpp; a test program links its own definition instead.
#pragma once

#include "runtime/text.h"

struct ConnectivityProbe {
  Text reachabilityUrl;  // asked of InternetCheckConnectionA
  Text pageUrl;          // fetched
  Bytes marker;          // searched as raw bytes in the page
};

extern const ConnectivityProbe kConnectivityProbe;
