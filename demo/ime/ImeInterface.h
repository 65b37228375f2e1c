// The IME side of the input-method manager's interface, which the mingw-w64 headers lack:
// the input context, the composition string, the IME's self-description and the message
// buffer entries, and the manager's calls an IME uses on them.
#pragma once

#include <windows.h>
#include <imm.h>

struct INPUTCONTEXT {
    HWND hWnd;
    BOOL fOpen;
    POINT ptStatusWndPos;
    POINT ptSoftKbdPos;
    DWORD fdwConversion;
    DWORD fdwSentence;
    union {
        LOGFONTA A;
        LOGFONTW W;
    } lfFont;
    COMPOSITIONFORM cfCompForm;
    CANDIDATEFORM cfCandForm[4];
    HIMCC hCompStr;
    HIMCC hCandInfo;
    HIMCC hGuideLine;
    HIMCC hPrivate;
    DWORD dwNumMsgBuf;
    HIMCC hMsgBuf;
    DWORD fdwInit;
    DWORD dwReserve[3];
};

struct COMPOSITIONSTRING {
    DWORD dwSize;
    DWORD dwCompReadAttrLen, dwCompReadAttrOffset;
    DWORD dwCompReadClauseLen, dwCompReadClauseOffset;
    DWORD dwCompReadStrLen, dwCompReadStrOffset;
    DWORD dwCompAttrLen, dwCompAttrOffset;
    DWORD dwCompClauseLen, dwCompClauseOffset;
    DWORD dwCompStrLen, dwCompStrOffset;
    DWORD dwCursorPos;
    DWORD dwDeltaStart;
    DWORD dwResultReadClauseLen, dwResultReadClauseOffset;
    DWORD dwResultReadStrLen, dwResultReadStrOffset;
    DWORD dwResultClauseLen, dwResultClauseOffset;
    DWORD dwResultStrLen, dwResultStrOffset;
    DWORD dwPrivateSize, dwPrivateOffset;
};

struct IMEINFO {
    DWORD dwPrivateDataSize;
    DWORD fdwProperty;
    DWORD fdwConversionCaps;
    DWORD fdwSentenceCaps;
    DWORD fdwUICaps;
    DWORD fdwSCSCaps;
    DWORD fdwSelectCaps;
};

struct TRANSMSG {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct TRANSMSGLIST {
    UINT uMsgCount;
    TRANSMSG TransMsg[1];
};

extern "C" {
INPUTCONTEXT* WINAPI ImmLockIMC(HIMC);
BOOL WINAPI ImmUnlockIMC(HIMC);
LPVOID WINAPI ImmLockIMCC(HIMCC);
BOOL WINAPI ImmUnlockIMCC(HIMCC);
HIMCC WINAPI ImmReSizeIMCC(HIMCC, DWORD);
DWORD WINAPI ImmGetIMCCSize(HIMCC);
BOOL WINAPI ImmGenerateMessage(HIMC);
}
