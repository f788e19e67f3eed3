// Network services: the online test.
#pragma once

#include "win32/types.h"

constexpr DWORD INTERNET_CONNECTION_MODEM = 0x01;
constexpr DWORD INTERNET_CONNECTION_LAN = 0x02;
constexpr DWORD INTERNET_CONNECTION_PROXY = 0x04;
constexpr DWORD INTERNET_CONNECTION_MODEM_BUSY = 0x08;
constexpr DWORD INTERNET_RAS_INSTALLED = 0x10;
constexpr DWORD INTERNET_CONNECTION_OFFLINE = 0x20;
constexpr DWORD INTERNET_CONNECTION_CONFIGURED = 0x40;

// TRUE when a network interface other than loopback has a route. LUMIVISTA_ONLINE=0 or 1 forces
// the answer.
BOOL InternetGetConnectedState(LPDWORD flags, DWORD reserved);
