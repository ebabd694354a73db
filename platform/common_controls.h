#pragma once
// The notification records a list view's header sends to the list, and the header's hit
// test. On this 64-bit platform every field of the notification is pointer-sized
// (intptr_t), so a window procedure copies five intptr_t fields where a 32-bit one copied
// 20 bytes; the hit-test record keeps its four 32-bit fields.

#include <cstdint>

#include "platform/user32.h"

struct NMHDR {
    HWND hwndFrom = 0;
    intptr_t idFrom = 0;
    intptr_t code = 0;
};

struct NMHEADER {
    NMHDR hdr;
    intptr_t iItem = -1;    // 0-based column
    intptr_t iButton = 0;   // 0 left, 1 right, 2 middle
    void* pitem = nullptr;  // never filled: nobody reads the column's details
};

struct HDHITTESTINFO {
    int32_t x = 0, y = 0;  // header client pixels
    uint32_t flags = 0;
    int32_t iItem = -1;
};

constexpr intptr_t NM_RCLICK = -5;
constexpr intptr_t HDN_ITEMCLICKA = -302;
constexpr intptr_t HDN_BEGINTRACKA = -306;
constexpr intptr_t HDN_BEGINTRACKW = -326;

constexpr uint32_t HDM_HITTEST = 0x1206;
constexpr uint32_t HHT_NOWHERE = 0x1, HHT_ONHEADER = 0x2;
