// A hyperlink that opens web addresses only: anything but http:// or https:// is refused, so
// a replaced target can never start a program or open a file.
#pragma once

#include <common/ZPHyperLink.h>

class CWebLink : public CZHyperLink
{
public:
    BOOL Open(LPCWSTR lpszFile = NULL, int nShowCmd = SW_SHOW, LPCWSTR lpszParameters = NULL,
              LPCWSTR lpszDirectory = NULL) override;

    // TRUE for an address starting "http://" or "https://" (any case).
    static BOOL IsWebAddress(LPCWSTR lpszAddress);
};
