// The visual-styles vocabulary of colour schemes: class, part, state, property and enumerated
// value names with their numbers, and the keys the schema stores properties under.
#pragma once

#include <framework.h>

// Value-type codes of schema properties.
enum
{
    ZP_SKINTYPE_NONE = 0,
    ZP_SKINTYPE_STRING = 1,
    ZP_SKINTYPE_INT = 2,
    ZP_SKINTYPE_BOOL = 3,
    ZP_SKINTYPE_COLOR = 4,
    ZP_SKINTYPE_RECT = 5,
    ZP_SKINTYPE_FONT = 6,
    ZP_SKINTYPE_INTLIST = 7,
    ZP_SKINTYPE_ENUM = 8,
    ZP_SKINTYPE_POSITION = 9,
};

// Keys are unique only below these bounds; anything at or above them has no key.
const int kZpSkinMaxClass = 64;
const int kZpSkinMaxPart = 64;
const int kZpSkinMaxState = 64;
const int kZpSkinMaxProperty = 16384;

const int kZpSkinClassGlobals = 1;
const int kZpSkinClassDocumentation = 2;
const int kZpSkinClassSysMetrics = 3;
const int kZpSkinClassWindow = 6;

// Names compare ignoring case; an unknown name gives 0 (the enumerated value -1).
int ZpSkinClassNameToId(LPCWSTR lpszName);
int ZpSkinPartNameToId(LPCWSTR lpszClassName, LPCWSTR lpszPartName);
int ZpSkinStateNameToId(LPCWSTR lpszPartOrClassName, LPCWSTR lpszStateName);
// *pnType is written only when the name is found.
int ZpSkinPropertyNameToId(LPCWSTR lpszName, int* pnType);
int ZpSkinEnumValueToId(LPCWSTR lpszPropertyName, LPCWSTR lpszValueName);

// ((state x 64 + part) x 64 + class) x 16384 + property; 0 when a number is out of its range.
DWORD ZpSkinPropertyKey(int nClass, int nPart, int nState, int nProperty);
// A header's text without its brackets, e.g. "Window.Caption(Inactive)"; 0 when it is rejected.
DWORD ZpSkinParseSectionName(LPCWSTR lpszHeader);

// The sizes of the tables, for their tests.
int ZpSkinClassCount();
int ZpSkinPartCount();
int ZpSkinPropertyCount();
