// Value classes: text forms, equality and hashing, shared instances, deflation.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupValues.h"

#include <string>

namespace
{
class MarkupValues : public CMarkupLeakCheck
{
};

// Converts through a fresh instance of the class, as the builder does; NULL when refused.
template <class V>
CZPMarkupObject* Convert(const std::wstring& text)
{
    CRef<CZPMarkupObject> pInstance(V::GetClassType()->CreateObject());
    CRef<CZPMarkupString> pText(new CZPMarkupString(text.c_str()));
    return pInstance->ConvertFrom(NULL, pText);
}

const std::wstring g_400Digits = L"1" + std::wstring(399, L'0');

TEST_F(MarkupValues, ReadThicknesses)
{
    struct
    {
        std::wstring text;
        bool bValid;
        int l, t, r, b;
    } cases[] = {
        {L"4", true, 4, 4, 4, 4},
        {L"1, 2, 3, 4", true, 1, 2, 3, 4},
        {L"1,2,3,4", true, 1, 2, 3, 4},
        {L" 1,\t2,\n3,  4 and more", true, 1, 2, 3, 4},
        {L"010, 0, 0, 0", true, 8, 0, 0, 0}, // "%i": a leading 0 is octal
        {L"0x10, -0x1, +7, 09", true, 16, -1, 7, 0},
        {L"-2", true, -2, -2, -2, -2},
        {L"12px", true, 12, 12, 12, 12},
        {L"abc", true, 0, 0, 0, 0},
        {L"99999999999", true, 2147483646, 2147483646, 2147483646, 2147483646},
        {L"99999999999, -99999999999, 0, 0", true, 2147483646, -2147483646, 0, 0},
        {L"1, 2", false, 0, 0, 0, 0},
        {L"1 , 2, 3, 4", false, 0, 0, 0, 0},
        {L"1, 2, 3, x", false, 0, 0, 0, 0},
        {L",", false, 0, 0, 0, 0},
    };
    for (const auto& c : cases)
    {
        CRef<CZPMarkupObject> pValue(Convert<CZPMarkupThickness>(c.text));
        ASSERT_EQ(c.bValid, pValue.Get() != NULL) << c.text;
        if (!c.bValid)
        {
            continue;
        }
        const CZPMarkupThickness* p = static_cast<CZPMarkupThickness*>(pValue.Get());
        EXPECT_EQ(c.l, p->m_nLeft) << c.text;
        EXPECT_EQ(c.t, p->m_nTop) << c.text;
        EXPECT_EQ(c.r, p->m_nRight) << c.text;
        EXPECT_EQ(c.b, p->m_nBottom) << c.text;
    }
}

TEST_F(MarkupValues, ReadIntegersWithoutFailingOrWrapping)
{
    struct
    {
        std::wstring text;
        int nValue;
    } cases[] = {
        {L"12", 12},
        {L"12px", 12},
        {L"abc", 0},
        {L"", 0},
        {L"  -7", -7},
        {L"+5", 5},
        {L"010", 10},
        // Below 2147483647, which stands for "Auto"; never wrapped.
        {L"2147483646", 2147483646},
        {L"2147483647", 2147483646},
        {L"99999999999", 2147483646},
        {L"-2147483648", -2147483646},
        {g_400Digits, 2147483646},
    };
    for (const auto& c : cases)
    {
        CRef<CZPMarkupObject> pValue(Convert<CZPMarkupInt>(c.text));
        ASSERT_TRUE(pValue.Get() != NULL) << c.text;
        EXPECT_EQ(c.nValue, static_cast<CZPMarkupInt*>(pValue.Get())->m_nValue) << c.text;
    }
}

TEST_F(MarkupValues, ReadDoublesWithTheNumberReader)
{
    struct
    {
        std::wstring text;
        bool bValid;
        double dValue;
    } cases[] = {
        {L" 1.5 ", true, 1.5}, {L".5", true, 0.5},   {L"5.", true, 5},      {L"-2.25", true, -2.25},
        {L"+3", true, 3},      {L"0", true, 0},      {L".", false, 0},         {L"-", false, 0},
        {L"1e3", false, 0},       {L"1,5", false, 0},      {L"", false, 0},          {L"1.2.3", false, 0},
        {L"1 2", false, 0},       {L"\t1", false, 0},      {g_400Digits, false, 0},
        {L"0.1", true, 0.1},      {L"2." + std::wstring(400, L'0') + L"1", true, 2}, {L"0." + g_400Digits, true, 0.1},
    };
    for (const auto& c : cases)
    {
        CRef<CZPMarkupObject> pValue(Convert<CZPMarkupDouble>(c.text));
        ASSERT_EQ(c.bValid, pValue.Get() != NULL) << c.text;
        if (c.bValid)
        {
            EXPECT_EQ(c.dValue, static_cast<CZPMarkupDouble*>(pValue.Get())->m_dValue) << c.text;
        }
    }

    // With a separator the reader stops after it, for lists such as points.
    LPCWSTR p = L" 1.5 , -2,3";
    double d1 = 0, d2 = 0, d3 = 0;
    ASSERT_TRUE(ZpMarkupReadNumber(p, d1, L',', FALSE));
    ASSERT_TRUE(ZpMarkupReadNumber(p, d2, L',', FALSE));
    ASSERT_TRUE(ZpMarkupReadNumber(p, d3, L',', TRUE));
    EXPECT_EQ(1.5, d1);
    EXPECT_EQ(-2, d2);
    EXPECT_EQ(3, d3);
    LPCWSTR pSeparatorFirst = L",1";
    EXPECT_FALSE(ZpMarkupReadNumber(pSeparatorFirst, d1, L',', FALSE));
    LPCWSTR pNull = NULL;
    EXPECT_FALSE(ZpMarkupReadNumber(pNull, d1, 0, TRUE));
}

TEST_F(MarkupValues, ReadBooleansAsSharedInstances)
{
    CRef<CZPMarkupBool> pTrue(CZPMarkupBool::CreateTrueValue());
    CRef<CZPMarkupBool> pFalse(CZPMarkupBool::CreateFalseValue());
    for (const wchar_t* text : {L"true", L"TRUE", L"True"})
    {
        CRef<CZPMarkupObject> pValue(Convert<CZPMarkupBool>(text));
        EXPECT_EQ(pTrue.Get(), pValue.Get()) << text;
    }
    CRef<CZPMarkupObject> pValue(Convert<CZPMarkupBool>(L"fAlSe"));
    EXPECT_EQ(pFalse.Get(), pValue.Get());
    for (const wchar_t* text : {L"yes", L" True", L"1", L""})
        EXPECT_EQ(NULL, Convert<CZPMarkupBool>(text)) << text;
    EXPECT_EQ(1u, pTrue->GetHashCode());
    EXPECT_EQ(0u, pFalse->GetHashCode());
}

TEST_F(MarkupValues, ReadColours)
{
    struct
    {
        std::wstring text;
        bool bValid;
        DWORD dwValue; // alpha, blue, green, red
    } cases[] = {
        {L"#FF0000", true, 0xFF0000FF},   {L"#80FF0000", true, 0x800000FF}, {L"#0000FF", true, 0xFFFF0000},
        {L"#00000000", true, 0x00000000}, {L"#a1B2c3", true, 0xFFC3B2A1},   {L"Red", true, 0xFF0000FF},
        {L"black", true, 0xFF000000},     {L"#FFF", false, 0},                 {L"#", false, 0},
        {L"#GGGGGG", false, 0},              {L"#12345G", false, 0},              {L"#-1-1-1", false, 0},
        {L"# 1 2 3", false, 0},              {L"#+1+1+1", false, 0},              {L"#0x1234", false, 0},
        {L"#FF00000", false, 0},             {L" Red", false, 0},                 {L"Grey", false, 0},
        {L"Transparent", false, 0},          {L"", false, 0},
    };
    for (const auto& c : cases)
    {
        CRef<CZPMarkupObject> pValue(Convert<CZPMarkupColor>(c.text));
        ASSERT_EQ(c.bValid, pValue.Get() != NULL) << c.text;
        if (c.bValid)
        {
            EXPECT_EQ(c.dwValue, static_cast<CZPMarkupColor*>(pValue.Get())->m_dwValue) << c.text;
        }
    }
    EXPECT_EQ(0xFF112233, CZPMarkupColor(RGB(0x33, 0x22, 0x11)).m_dwValue);
    EXPECT_EQ(0x40112233, CZPMarkupColor(0x40, 0xAA112233).m_dwValue);
}

TEST_F(MarkupValues, TakeAColourAsContent)
{
    CRef<CZPMarkupColor> pColor(new CZPMarkupColor);
    CZPMarkupString* pText = new CZPMarkupString(L"#102030");
    pColor->SetContentObject(NULL, pText); // takes and releases the text
    EXPECT_EQ(0xFF302010, pColor->m_dwValue);

    CRef<CZPMarkupString> pBad(new CZPMarkupString(L"nope"));
    const std::wstring message = BuilderError([&] { pColor->SetContentObject(NULL, pBad); });
    EXPECT_EQ(L"Cannot convert the string 'nope' into a 'CZPMarkupColor' object", message);
    EXPECT_EQ(0xFF302010, pColor->m_dwValue);
}

TEST_F(MarkupValues, CompareByValueAndExactType)
{
    CRef<CZPMarkupInt> pInt(new CZPMarkupInt(2));
    CRef<CZPMarkupInt> pInt2(new CZPMarkupInt(2));
    CRef<CZPMarkupEnum> pEnum(new CZPMarkupEnum(2));
    CRef<CZPMarkupThickness> pThick(new CZPMarkupThickness(1, 2, 3, 4));
    CRef<CZPMarkupThickness> pThick2(new CZPMarkupThickness(1, 2, 3, 4));
    CRef<CZPMarkupThickness> pThick3(new CZPMarkupThickness(1, 2, 3, 5));
    CRef<CZPMarkupString> pAbc(new CZPMarkupString(L"abc"));
    CRef<CZPMarkupString> pAbc2(new CZPMarkupString(L"abcdef", 3));
    CRef<CZPMarkupString> pABC(new CZPMarkupString(L"ABC"));
    CRef<CZPMarkupDouble> pHalf(new CZPMarkupDouble(0.5));
    CRef<CZPMarkupDouble> pHalf2(new CZPMarkupDouble(0.5));
    CRef<CZPMarkupColor> pRed(new CZPMarkupColor(RGB(255, 0, 0)));
    CRef<CZPMarkupColor> pRedHalf(new CZPMarkupColor(0x80, RGB(255, 0, 0)));
    EXPECT_TRUE(pInt->IsEqual(pInt2));
    EXPECT_FALSE(pInt->IsEqual(pEnum));
    EXPECT_FALSE(pEnum->IsEqual(pInt));
    EXPECT_FALSE(pInt->IsEqual(NULL));
    EXPECT_TRUE(pThick->IsEqual(pThick2));
    EXPECT_FALSE(pThick->IsEqual(pThick3));
    EXPECT_TRUE(pAbc->IsEqual(pAbc2));
    EXPECT_EQ(pAbc->GetHashCode(), pAbc2->GetHashCode());
    EXPECT_EQ((97u * 33 + 98) * 33 + 99, pAbc->GetHashCode());
    EXPECT_FALSE(pAbc->IsEqual(pABC));
    EXPECT_TRUE(pHalf->IsEqual(pHalf2));
    EXPECT_FALSE(pRed->IsEqual(pRedHalf));
    EXPECT_STREQ(L"abc", pAbc2->GetText());
    EXPECT_EQ(3, pAbc2->GetLength());
}

TEST_F(MarkupValues, ShareTheCommonInstances)
{
    CRef<CZPMarkupEnum> pThree(CZPMarkupEnum::CreateValue(3));
    CRef<CZPMarkupEnum> pThreeAgain(CZPMarkupEnum::CreateValue(3));
    CRef<CZPMarkupEnum> pEight(CZPMarkupEnum::CreateValue(8));
    CRef<CZPMarkupEnum> pEightAgain(CZPMarkupEnum::CreateValue(8));
    CRef<CZPMarkupEnum> pMinus(CZPMarkupEnum::CreateValue(-1));
    EXPECT_EQ(pThree.Get(), pThreeAgain.Get());
    EXPECT_NE(pEight.Get(), pEightAgain.Get());
    EXPECT_TRUE(pEight->IsEqual(pEightAgain));
    EXPECT_EQ(-1, pMinus->m_nValue);

    CRef<CZPMarkupString> pBlank(CZPMarkupString::CreateValue(L" "));
    CRef<CZPMarkupString> pBlankOfMore(CZPMarkupString::CreateValue(L" more", 1));
    CRef<CZPMarkupString> pTwoBlanks(CZPMarkupString::CreateValue(L"  "));
    CRef<CZPMarkupString> pLineFeed(CZPMarkupString::CreateValue(L"\n"));
    CRef<CZPMarkupString> pLineFeed2(CZPMarkupString::CreateValue(L"\n"));
    CRef<CZPMarkupString> pEmpty(CZPMarkupString::CreateValue(NULL));
    CRef<CZPMarkupString> pEmpty2(CZPMarkupString::CreateValue(L"abc", 0));
    CRef<CZPMarkupString> pEmpty3(CZPMarkupString::CreateValue(L""));
    EXPECT_EQ(pBlank.Get(), pBlankOfMore.Get());
    EXPECT_NE(pBlank.Get(), pTwoBlanks.Get());
    EXPECT_EQ(2, pTwoBlanks->GetLength());
    EXPECT_EQ(pLineFeed.Get(), pLineFeed2.Get());
    EXPECT_EQ(pEmpty.Get(), pEmpty2.Get());
    EXPECT_EQ(pEmpty.Get(), pEmpty3.Get());
    EXPECT_STREQ(L"", pEmpty->GetText());

    CRef<CZPMarkupThickness> pZero(CZPMarkupThickness::CreateZeroValue());
    CRef<CZPMarkupThickness> pZero2(CZPMarkupThickness::CreateZeroValue());
    EXPECT_EQ(pZero.Get(), pZero2.Get());

    // Factories make the zero values.
    CRef<CZPMarkupObject> pMade(CZPMarkupColor::GetClassType()->CreateObject());
    EXPECT_EQ(0xFF000000, static_cast<CZPMarkupColor*>(pMade.Get())->m_dwValue);
    CRef<CZPMarkupObject> pMadeText(CZPMarkupString::GetClassType()->CreateObject());
    EXPECT_EQ(0, static_cast<CZPMarkupString*>(pMadeText.Get())->GetLength());
    // Enumerations and strings have no text form of their own.
    EXPECT_EQ(NULL, Convert<CZPMarkupEnum>(L"1"));
    EXPECT_EQ(NULL, Convert<CZPMarkupString>(L"x"));
}

TEST_F(MarkupValues, DeflateRectanglesNeverBelowEmpty)
{
    CRef<CZPMarkupThickness> pSix(new CZPMarkupThickness(6));
    CRef<CZPMarkupThickness> pMixed(new CZPMarkupThickness(1, 2, 3, 4));
    CRef<CZPMarkupThickness> pHuge(new CZPMarkupThickness(2147483646));
    struct
    {
        RECT rc;
        CZPMarkupThickness* pThickness;
        RECT expected;
    } cases[] = {
        {{0, 0, 10, 10}, pSix, {6, 6, 6, 6}},
        {{0, 0, 100, 50}, pMixed, {1, 2, 97, 46}},
        {{5, 5, 9, 9}, NULL, {5, 5, 9, 9}},
        {{0, 0, 10, 10}, pHuge, {2147483646, 2147483646, 2147483646, 2147483646}},
    };
    for (const auto& c : cases)
    {
        RECT rc;
        ZpMarkupDeflateRect(rc, c.rc.left, c.rc.top, c.rc.right, c.rc.bottom, c.pThickness);
        EXPECT_TRUE(EqualRect(&rc, &c.expected)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}
}
