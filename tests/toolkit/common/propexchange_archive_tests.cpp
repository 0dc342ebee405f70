// The archive back end: stream layout, round trip, and damaged streams.
#include "common/ZPPropExchangeArchive.h"
#include "propexchange_tree.h"
#include "archive_helpers.h"

#include <functional>

class CTestUnrelated : public CObject
{
    DECLARE_SERIAL(CTestUnrelated)
};
IMPLEMENT_SERIAL(CTestUnrelated, CObject, 34)

namespace {

Bytes Store(const std::function<void(CZPPropExchange*)>& store)
{
    return StoreBytes([&](CArchive& ar) {
        CZPPropExchangeArchive px(ar);
        store(&px);
    });
}

// -1 when the load ran through, else the cause of the archive exception it raised.
int Load(const Bytes& bytes, const std::function<void(CZPPropExchange*)>& load)
{
    return LoadCause(bytes, [&](CArchive& ar) {
        CZPPropExchangeArchive px(ar);
        load(&px);
    });
}

TEST(PropExchangeArchive, TreeRoundTrip)
{
    ZpTestTree stored;
    stored.Fill();
    Bytes bytes = Store([&](CZPPropExchange* pPX) { stored.Exchange(pPX, true); });

    ZpTestTree loaded;
    EXPECT_EQ(-1, Load(bytes, [&](CZPPropExchange* pPX) {
        loaded.Exchange(pPX, true);
        EXPECT_EQ(34, pPX->GetSchema());
    }));
    stored.ExpectEqual(loaded, true);
}

TEST(PropExchangeArchive, PositionalMediumWritesDefaultsToo)
{
    ZpTestTree tree;
    tree.shape.reset(new CTestShape);
    tree.pClass = RUNTIME_CLASS(CTestShape);
    Bytes bytes = Store([&](CZPPropExchange* pPX) {
        EXPECT_FALSE(pPX->CanSkipDefaults());
        EXPECT_TRUE(pPX->SupportsBinary());
        tree.Exchange(pPX, true);
    });
    ZpTestTree loaded;
    loaded.Fill();
    EXPECT_EQ(-1, Load(bytes, [&](CZPPropExchange* pPX) { loaded.Exchange(pPX, true); }));
    tree.ExpectEqual(loaded, true);
}

TEST(PropExchangeArchive, RecordLayout)
{
    Bytes bytes = Store([](CZPPropExchange* pPX) {
        pPX->ExchangeSchemaNumber();
        short s = -2;
        PropExchangeShort(pPX, L"", &s, 0);
        BSTR bstr = SysAllocString(L"not kept");
        PropExchangeBstr(pPX, L"", &bstr, L"");
        SysFreeString(bstr);
        COleDateTime dt(1.0);
        dt.SetStatus(COleDateTime::invalid);
        pPX->ExchangeValue(L"", VT_DATE, &dt, NULL);
        CY cy;
        cy.int64 = 0x1122334455667788LL;
        pPX->ExchangeValue(L"", VT_CY, &cy, NULL);
        CString str(L"Ab");
        PropExchangeString(pPX, L"", str, L"");
        BYTE* pData = NULL;
        DWORD cbData = 0;
        pPX->ExchangeBlob(L"", &pData, &cbData);
        pPX->WriteCount(0x12345);
        pPX->Write(L"", "xy", 2);
    });
    const Bytes expected = {
        0xBF, 0xAD, 0xF0, 0x0F, 34, 0, 0, 0,               // schema marker and number
        0xFE, 0xFF,                                        // short -2; the system string left nothing
        1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F,          // date: status, then the DATE
        0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11,    // currency: low, then high half
        0xFF, 0xFE, 0xFF, 2, 'A', 0, 'b', 0,               // wide string record
        0, 0,                                              // empty blob: only its count
        0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00,                // large count
        'x', 'y',                                          // raw bytes, no count
    };
    EXPECT_EQ(expected, bytes);
}

TEST(PropExchangeArchive, StringLengthBoundaries)
{
    struct Case
    {
        int nLength;
        Bytes header;   // after the 0xFF 0xFFFE wide tag
    };
    const Case cases[] = {
        { 254, { 254 } },
        { 255, { 0xFF, 0xFF, 0x00 } },
        { 0xFFFD, { 0xFF, 0xFD, 0xFF } },
        { 0xFFFE, { 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nLength);
        CString str(L'q', c.nLength);
        Bytes bytes = Store([&](CZPPropExchange* pPX) { PropExchangeString(pPX, L"", str, L""); });
        ASSERT_EQ(3 + c.header.size() + 2 * c.nLength, bytes.size());
        EXPECT_EQ(c.header, Bytes(bytes.begin() + 3, bytes.begin() + 3 + c.header.size()));
        CString loaded;
        EXPECT_EQ(-1, Load(bytes, [&](CZPPropExchange* pPX) { PropExchangeString(pPX, L"", loaded, L""); }));
        EXPECT_EQ(str, loaded);
    }
}

TEST(PropExchangeArchive, StreamWithoutMarkerLoadsAsSchema17)
{
    const Bytes bytes = { 0x2A, 0, 0, 0, 0x07, 0 };
    long l = 0;
    short s = 0;
    EXPECT_EQ(-1, Load(bytes, [&](CZPPropExchange* pPX) {
        pPX->ExchangeSchemaNumber();
        EXPECT_EQ(17, pPX->GetSchema());
        PropExchangeLong(pPX, L"", &l, 0);
        PropExchangeShort(pPX, L"", &s, 0);
    }));
    EXPECT_EQ(42, l);
    EXPECT_EQ(7, s);

    // Too short even for a marker: still schema 17, and the value runs out as usual.
    EXPECT_EQ(CArchiveException::endOfFile, Load(Bytes{ 1, 2 }, [&](CZPPropExchange* pPX) {
        pPX->ExchangeSchemaNumber();
        EXPECT_EQ(17, pPX->GetSchema());
        PropExchangeLong(pPX, L"", &l, 0);
    }));
}

TEST(PropExchangeArchive, BlobIntoTooSmallBufferFailsAndKeepsTheStreamInStep)
{
    Bytes bytes = Store([](CZPPropExchange* pPX) {
        BYTE data[5] = { 1, 2, 3, 4, 5 };
        BYTE* pData = data;
        DWORD cbData = sizeof(data);
        pPX->ExchangeBlob(L"", &pData, &cbData);
        long l = 77;
        PropExchangeLong(pPX, L"", &l, 0);
    });
    BYTE buffer[4] = {};
    long l = 0;
    EXPECT_EQ(-1, Load(bytes, [&](CZPPropExchange* pPX) {
        BYTE* pData = buffer;
        DWORD cbData = sizeof(buffer);
        EXPECT_FALSE(pPX->ExchangeBlob(L"", &pData, &cbData));
        PropExchangeLong(pPX, L"", &l, 0);
    }));
    EXPECT_EQ(0, buffer[0]);
    EXPECT_EQ(77, l);
}

TEST(PropExchangeArchive, EveryTruncationRaisesEndOfFile)
{
    ZpTestTree stored;
    stored.Fill();
    Bytes bytes = Store([&](CZPPropExchange* pPX) { stored.Exchange(pPX, true); });
    for (size_t n = 0; n < bytes.size(); ++n) {
        Bytes truncated(bytes.begin(), bytes.begin() + n);
        ZpTestTree loaded;
        int nCause = Load(truncated, [&](CZPPropExchange* pPX) { loaded.Exchange(pPX, true); });
        // The blob count is checked against the data before anything is allocated.
        EXPECT_EQ(CArchiveException::endOfFile, nCause) << "length " << n;
    }
}

TEST(PropExchangeArchive, ObjectsExchangedTwiceAreNumberedAlikeOnStoreAndLoad)
{
    auto named = [](BYTE nLength, const char* pszName) {
        Bytes bytes = { 0xFF, 0xFF, 34, 0, nLength, 0 };
        bytes.insert(bytes.end(), pszName, pszName + nLength);
        return bytes;
    };
    CTestShape shape;
    Bytes bytes = Store([&](CZPPropExchange* pPX) {
        for (int i = 0; i < 2; ++i) {
            CObject* pObject = &shape;
            EXPECT_TRUE(pPX->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CTestShape)));
        }
        for (int i = 0; i < 2; ++i) {
            CRuntimeClass* pClass = RUNTIME_CLASS(CTestCircle);
            EXPECT_TRUE(pPX->ExchangeClassRecord(L"Class", &pClass, RUNTIME_CLASS(CTestShape)));
        }
    });
    // Class 1, objects 2 and 3, class 4.
    Bytes expected = named(10, "CTestShape");
    expected.insert(expected.end(), { 0x01, 0x80 });
    Bytes circle = named(11, "CTestCircle");
    expected.insert(expected.end(), circle.begin(), circle.end());
    expected.insert(expected.end(), { 0x04, 0x80 });
    EXPECT_EQ(expected, bytes);

    EXPECT_EQ(-1, Load(bytes, [](CZPPropExchange* pPX) {
        for (int i = 0; i < 2; ++i) {
            CObject* pObject = NULL;
            EXPECT_TRUE(pPX->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CTestShape)));
            delete pObject;
        }
        for (int i = 0; i < 2; ++i) {
            CRuntimeClass* pClass = NULL;
            EXPECT_TRUE(pPX->ExchangeClassRecord(L"Class", &pClass, RUNTIME_CLASS(CTestShape)));
            EXPECT_EQ(RUNTIME_CLASS(CTestCircle), pClass);
        }
    }));
}

TEST(PropExchangeArchive, DamagedClassRecordsAreRefused)
{
    auto loadShape = [](CZPPropExchange* pPX) {
        CObject* pObject = NULL;
        pPX->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CTestShape));
        delete pObject;
    };
    auto classRecord = [](const char* pszName) {
        Bytes bytes = { 0xFF, 0xFF, 34, 0, static_cast<BYTE>(strlen(pszName)), 0 };
        bytes.insert(bytes.end(), pszName, pszName + strlen(pszName));
        return bytes;
    };
    struct Case
    {
        const char* pszWhat;
        Bytes bytes;
        int nCause;
    };
    const Case cases[] = {
        { "unknown class", classRecord("CNoSuchClass"), CArchiveException::badClass },
        { "not derived", classRecord("CTestUnrelated"), CArchiveException::badClass },
        { "other schema", { 0xFF, 0xFF, 33, 0, 10, 0, 'C', 'T', 'e', 's', 't', 'S', 'h', 'a', 'p', 'e' },
          CArchiveException::badSchema },
        { "index never written", { 0x05, 0x80 }, CArchiveException::badIndex },
        { "name cut short", { 0xFF, 0xFF, 34, 0, 20, 0, 'C', 'T' }, CArchiveException::endOfFile },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nCause, Load(c.bytes, loadShape)) << c.pszWhat;
}

}  // namespace
