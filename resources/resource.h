// Resource identifiers shared by Setup.rc and the code; plain numbers, no Windows header.
#pragma once

#define IDI_FORM2 1

#define IDR_BACKGROUND 100
#define IDR_IMAGE1A 101
#define IDR_IMAGE1B 102
#define IDR_IMAGE2A 103
#define IDR_IMAGE2B 104
#define IDR_IMAGE3A 105
#define IDR_IMAGE3B 106
#define IDR_IMAGE4A 107
#define IDR_IMAGE4B 108
#define IDR_IMAGE5A 109
#define IDR_IMAGE5B 110
#define IDR_IMAGE6A 111
#define IDR_IMAGE6B 112
#define IDR_IMAGE7A 113
#define IDR_IMAGE7B 114
#define IDR_IMAGE8A 115
#define IDR_IMAGE8B 116
#define IDR_IMAGEFA 117
#define IDR_IMAGEFB 118
#define IDR_PREVIEW0 120
#define IDR_PREVIEW1 121
#define IDR_PREVIEW2 122
#define IDR_PREVIEW3 123
#define IDR_PREVIEW4 124
#define IDR_PREVIEW5 125
#define IDR_PREVIEW6 126
#define IDR_PREVIEW7 127
#define IDR_BANNER 130
#define IDR_PHOTO 131
#define IDR_FEATURE 140

#define IDD_FORM1 200

// The list of the medium's files with their SHA-256 sums that scripts/make-release builds into a
// release's Setup.exe (resources/ReleaseSums.rc.in).
#define IDR_RELEASE_SUMS 300
