// The markup tokenizer: token streams, texts, line and position, every message, damaged input.
#include "markup/ZPMarkupParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
typedef CZPMarkupParser P;

// One token as text: kind, then the texts it carries ("1 a", "3 name=value", "4 word", "-1 message").
std::wstring Describe(CZPMarkupParser& parser, int nToken)
{
    std::wstring text = std::to_wstring(nToken);
    switch (nToken)
    {
    case P::tokenStartTag:
    case P::tokenEndTag:
        return text + L" " + parser.GetTagName();
    case P::tokenAttribute:
        return text + L" " + parser.GetAttributeName() + L"=" + parser.GetValue();
    case P::tokenError:
    case P::tokenWord:
    case P::tokenSpace:
    case P::tokenData:
    case P::tokenProcessingInstructionEnd:
        return text + L" " + parser.GetValue();
    default:
        return text;
    }
}

// Every token up to the end or the first error, which ends the list.
std::vector<std::wstring> Tokens(const std::wstring& text, std::vector<std::pair<int, int>>* pPlaces = NULL)
{
    CZPMarkupParser parser;
    parser.SetBuffer(text.data(), text.data() + text.size());
    std::vector<std::wstring> tokens;
    for (int i = 0; i < 1000000; i++)
    {
        const int nToken = parser.GetNextToken();
        tokens.push_back(Describe(parser, nToken));
        if (pPlaces != NULL)
            pPlaces->push_back({parser.GetLine(), parser.GetPosition()});
        if (nToken == P::tokenEnd || nToken == P::tokenError)
            break;
    }
    return tokens;
}

typedef std::vector<std::wstring> L;

struct TokenCase
{
    const wchar_t* text;
    L tokens;
};

class ParserTokens : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(ParserTokens, GivesTheTokenStream)
{
    EXPECT_EQ(GetParam().tokens, Tokens(GetParam().text)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParserTokens,
    ::testing::Values(
        TokenCase{L"<a/>", {L"1 a", L"2 a", L"0"}},
        TokenCase{L"<a></a >", {L"1 a", L"2 a", L"0"}},
        TokenCase{L"<a b='1' c = \"2\">x</a>", {L"1 a", L"3 b=1", L"3 c=2", L"4 x", L"2 a", L"0"}},
        TokenCase{L"<a>x&amp;y</a>", {L"1 a", L"4 x", L"4 &y", L"2 a", L"0"}},
        TokenCase{L"&#65;&#x42;", {L"4 A", L"4 B", L"0"}},
        TokenCase{L"&#010;", {L"4 \x08", L"0"}},
        TokenCase{L"&#0x41;&#+66;", {L"4 A", L"4 B", L"0"}},
        TokenCase{L"&lt;&gt;&apos;&quot;", {L"4 <", L"4 >", L"4 '", L"4 \"", L"0"}},
        // Unresolved references stay as written.
        TokenCase{L"&#x;&foo;&GT;&;", {L"4 &#x;", L"4 &foo;", L"4 &GT;", L"4 &;", L"0"}},
        TokenCase{L"&#0;&#xD800;&#x110000;&#-65;", {L"4 &#0;", L"4 &#xD800;", L"4 &#x110000;", L"4 &#-65;", L"0"}},
        // Beyond the basic plane: a surrogate pair.
        TokenCase{L"&#x1F600;", {L"4 \xD83D\xDE00", L"0"}},
        // A bare "&" ends at the first character a reference cannot hold.
        TokenCase{L"<a>R&D <b/></a>", {L"1 a", L"4 R", L"4 &D", L"5  ", L"1 b", L"2 b", L"2 a", L"0"}},
        TokenCase{L"a & b<c/>", {L"4 a", L"5  ", L"4 &", L"5  ", L"4 b", L"1 c", L"2 c", L"0"}},
        TokenCase{L"x&abc", {L"4 x", L"4 &abc", L"0"}},
        TokenCase{L"a  b\r\nc", {L"4 a", L"5   ", L"4 b", L"5 \r\n", L"4 c", L"0"}},
        TokenCase{L"<a v='a &amp; \"b\" <>'/>", {L"1 a", L"3 v=a &amp; \"b\" <>", L"2 a", L"0"}},
        TokenCase{L"<!---->", {L"7", L"6 ", L"8", L"0"}},
        TokenCase{L"<!-- a -- b -->x", {L"7", L"6  a -- b ", L"8", L"4 x", L"0"}},
        TokenCase{L"<![CDATA[<a>]]]>", {L"9", L"6 <a>]", L"10", L"0"}},
        TokenCase{L"<?xml version='1.0' encoding='utf-8'?><a/>",
                  {L"11", L"6 xmlversion='1.0'encoding='utf-8'", L"12 xmlversion='1.0'encoding='utf-8'", L"1 a", L"2 a",
                   L"0"}},
        TokenCase{L"<>", {L"1 ", L"0"}},
        TokenCase{L"< a>", {L"1 ", L"-1 '>' is an unexpected token. The expected token is '='"}},
        TokenCase{L"<a\tb\n=\r'1'>", {L"1 a", L"3 b=1", L"0"}},
        TokenCase{L"\x0B", {L"4 \x0B", L"0"}},
        // Messages.
        TokenCase{L"<", {L"-1 Unexpected end of file has occurred."}},
        TokenCase{L"</", {L"-1 Unexpected end of file has occurred."}},
        TokenCase{L"<abc", {L"-1 Unexpected end of file has occurred."}},
        TokenCase{L"</a b>", {L"-1 Unexpected token. The expected token is '>'"}},
        TokenCase{L"</a", {L"-1 Unexpected end of file has occurred."}},
        TokenCase{L"<a/b>", {L"1 a", L"-1 Unexpected token. The expected token is '>'"}},
        TokenCase{L"<!DOCTYPE x>", {L"1 !DOCTYPE", L"-1 '>' is an unexpected token. The expected token is '='"}},
        TokenCase{L"<a b<c='1'>", {L"1 a", L"-1 '<' is an unexpected token. The expected token is '='"}},
        TokenCase{L"<a b c='1'>", {L"1 a", L"-1 Unexpected token. The expected token is '='"}},
        TokenCase{L"<a b=1>", {L"1 a", L"-1 Unexpected token. The expected token is '\"' or '''"}},
        TokenCase{L"<a b='1>", {L"1 a", L"-1 Unexpected token. The expected token is '\"' or '''"}},
        // The end of the text inside an attribute list, a section or a reference is the end.
        TokenCase{L"<a ", {L"1 a", L"0"}},
        TokenCase{L"<a b", {L"1 a", L"0"}},
        TokenCase{L"<a b ", {L"1 a", L"0"}},
        TokenCase{L"<!-- open", {L"7", L"0"}},
        TokenCase{L"<![CDATA[x", {L"9", L"0"}},
        TokenCase{L"<?pi", {L"11", L"0"}},
        TokenCase{L"a&amp", {L"4 a", L"4 &amp", L"0"}},
        TokenCase{L"", {L"0"}}));

TEST(Parser, CountsLinesOnceForCRLFAndForLoneCRAndLF)
{
    struct
    {
        const wchar_t* text;
        int nLine, nPosition; // after the last word
    } cases[] = {
        {L"a\nb\nc", 2, 1},
        {L"a\r\nb\r\nc", 2, 1},
        {L"a\rb\rc", 2, 1},
        {L"a\r\n\r\nbc", 2, 2},
        {L"a\n\rbc", 2, 2},
        {L"abc", 0, 3},
    };
    for (const auto& c : cases)
    {
        std::vector<std::pair<int, int>> places;
        Tokens(c.text, &places);
        ASSERT_GE(places.size(), 2u);
        EXPECT_EQ(std::make_pair(c.nLine, c.nPosition), places[places.size() - 2]) << c.text;
    }
}

TEST(Parser, PlacesErrorsAfterTheTokenBeingRead)
{
    // The second line's error is on line 1 whatever the line ends of the first.
    for (const wchar_t* text : {L"<a>\n<b c d/>", L"<a>\r\n<b c d/>", L"<a>\r<b c d/>"})
    {
        std::vector<std::pair<int, int>> places;
        const L tokens = Tokens(text, &places);
        EXPECT_EQ(L"-1 Unexpected token. The expected token is '='", tokens.back()) << text;
        EXPECT_EQ(std::make_pair(1, 6), places.back()) << text;
    }
}

TEST(Parser, CutsLongNamesAndChunksLongSections)
{
    const std::wstring name(200, L'n');
    EXPECT_EQ((L{L"1 " + name.substr(0, 127), L"3 " + name.substr(0, 127) + L"=v", L"2 " + name.substr(0, 127), L"0"}),
              Tokens(L"<" + name + L" " + name + L"='v'/>"));

    // Data arrives in chunks of at most 1023 characters and loses nothing.
    const std::wstring body(3000, L'c');
    const L tokens = Tokens(L"<!--" + body + L"-->");
    std::wstring joined;
    for (size_t i = 1; i + 2 < tokens.size(); i++)
    {
        ASSERT_EQ(L"6 ", tokens[i].substr(0, 2));
        EXPECT_LE(tokens[i].size() - 2, 1023u);
        joined += tokens[i].substr(2);
    }
    EXPECT_EQ(body, joined);
    EXPECT_EQ(L"8", tokens[tokens.size() - 2]);
}

TEST(Parser, FindsTerminatorsSplitAcrossChunks)
{
    struct
    {
        const wchar_t* start;
        const wchar_t* terminator;
        const wchar_t* end;
    } sections[] = {{L"<!--", L"-->", L"8"}, {L"<![CDATA[", L"]]>", L"10"}, {L"<?", L"?>", L"12"}};
    for (const auto& s : sections)
    {
        // The terminator begins at every place around the end of the first chunk.
        for (size_t nBefore = 1018; nBefore <= 1024; nBefore++)
        {
            const std::wstring body(nBefore, L'x');
            const L tokens = Tokens(s.start + body + s.terminator + L"<z/>");
            std::wstring joined;
            size_t i = 1;
            for (; i < tokens.size() && tokens[i].compare(0, 2, L"6 ") == 0; i++)
                joined += tokens[i].substr(2);
            EXPECT_EQ(body, joined) << nBefore << L" " << s.terminator;
            ASSERT_LT(i + 1, tokens.size());
            const std::wstring end = tokens[i].substr(0, wcslen(s.end));
            EXPECT_EQ(s.end, end) << nBefore << L" " << s.terminator;
            EXPECT_EQ(L"1 z", tokens[i + 1]) << nBefore << L" " << s.terminator;
        }
    }
}

TEST(Parser, ReadsALargeValueWholeAndStopsAtTheEnd)
{
    const std::wstring value(10 * 1024 * 1024, L'v');
    const std::wstring text = L"<a b='" + value + L"'/>";
    CZPMarkupParser parser;
    parser.SetBuffer(text.data(), text.data() + text.size());
    ASSERT_EQ(P::tokenStartTag, parser.GetNextToken());
    ASSERT_EQ(P::tokenAttribute, parser.GetNextToken());
    EXPECT_EQ(static_cast<int>(value.size()), parser.GetValueLength());
    EXPECT_EQ(0, value.compare(parser.GetValue()));
    EXPECT_EQ(P::tokenEndTag, parser.GetNextToken());
    EXPECT_EQ(P::tokenEnd, parser.GetNextToken());
    EXPECT_EQ(P::tokenEnd, parser.GetNextToken());

    // The input ends where SetBuffer says, not at a NUL: nothing beyond it is read.
    const wchar_t partial[] = {L'<', L'a', L'>', L'x', L'y', L'<', L'/', L'a', L'>'};
    CZPMarkupParser cut;
    cut.SetBuffer(partial, partial + 5);
    EXPECT_EQ(P::tokenStartTag, cut.GetNextToken());
    EXPECT_EQ(P::tokenWord, cut.GetNextToken());
    EXPECT_STREQ(L"xy", cut.GetValue());
    EXPECT_EQ(P::tokenEnd, cut.GetNextToken());
}

TEST(Parser, FindsTheFirstTag)
{
    struct
    {
        const wchar_t* text;
        BOOL bFound;
    } cases[] = {{L"  \r\n\t<a/>", TRUE}, {L"<a/>", TRUE}, {L"x<a/>", FALSE}, {L"", FALSE}, {L"   ", FALSE},
                 {L"\xFEFF<a/>", FALSE}};
    for (const auto& c : cases)
    {
        const std::wstring text = c.text;
        CZPMarkupParser parser;
        parser.SetBuffer(text.data(), text.data() + text.size());
        EXPECT_EQ(c.bFound, parser.FindFirstTag()) << c.text;
        if (c.bFound)
        {
            EXPECT_EQ(P::tokenStartTag, parser.GetNextToken());
            EXPECT_STREQ(L"a", parser.GetTagName());
        }
    }
}

// A parser of our own resolves named entities through the virtual hook.
class CEntityParser : public CZPMarkupParser
{
public:
    UINT ResolveEntity(LPCWSTR lpszName, int nLength) override
    {
        if (nLength == 4 && wcsncmp(lpszName, L"nbsp", 4) == 0)
            return 0xA0;
        return CZPMarkupParser::ResolveEntity(lpszName, nLength);
    }
};

TEST(Parser, AsksTheVirtualHookForOtherReferences)
{
    const std::wstring text = L"&nbsp;&#66;&copy;";
    CEntityParser parser;
    parser.SetBuffer(text.data(), text.data() + text.size());
    ASSERT_EQ(P::tokenWord, parser.GetNextToken());
    EXPECT_STREQ(L"\xA0", parser.GetValue());
    ASSERT_EQ(P::tokenWord, parser.GetNextToken());
    EXPECT_STREQ(L"B", parser.GetValue());
    ASSERT_EQ(P::tokenWord, parser.GetNextToken());
    EXPECT_STREQ(L"&copy;", parser.GetValue());
}
}
