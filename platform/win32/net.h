// Network services: the online test and the download of a URL to a file.
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

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT INET_E_INVALID_URL = static_cast<HRESULT>(0x800C0002u);
constexpr HRESULT INET_E_CANNOT_CONNECT = static_cast<HRESULT>(0x800C0004u);
constexpr HRESULT INET_E_RESOURCE_NOT_FOUND = static_cast<HRESULT>(0x800C0005u);
constexpr HRESULT INET_E_DOWNLOAD_FAILURE = static_cast<HRESULT>(0x800C0008u);
constexpr HRESULT INET_E_CONNECTION_TIMEOUT = static_cast<HRESULT>(0x800C000Bu);
constexpr HRESULT INET_E_UNKNOWN_PROTOCOL = static_cast<HRESULT>(0x800C000Du);

// Downloads `url` (http, https or file; redirects only to http or https) into `file`. The file
// is replaced only by a complete transfer with an HTTP status below 400; otherwise it is left as
// it was. Connecting may take 10 s, the whole transfer 60 s. `caller` is ignored; a progress
// `callback` cannot be served (E_NOTIMPL).
HRESULT URLDownloadToFileA(LPVOID caller, LPCSTR url, LPCSTR file, DWORD reserved, LPVOID callback);
