// Runtime classes: type tests, registration, creation by name.
#include <framework.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape
{
    DECLARE_SERIAL(CCircle)
};
IMPLEMENT_SERIAL(CCircle, CShape, 3)

// No record of its own: answers its base's.
class CPlainCircle : public CCircle
{
};

class CSquare : public CShape
{
    DECLARE_DYNCREATE(CSquare)
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

}  // namespace

TEST(RuntimeClass, TypeTestsWalkTheBaseChain)
{
    CCircle circle;
    CPlainCircle plain;
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_EQ(RUNTIME_CLASS(CCircle), plain.GetRuntimeClass());
    EXPECT_STREQ("CCircle", plain.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CShape, &circle));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquare, &circle));
    EXPECT_TRUE(circle.IsSerializable());
    EXPECT_FALSE(CSquare().IsSerializable());
}

TEST(RuntimeClass, FromNameIsExactAndCaseSensitive)
{
    EXPECT_EQ(RUNTIME_CLASS(CCircle), CRuntimeClass::FromName("CCircle"));
    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName(L"CSquare"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("ccircle"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CCircl"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CCircle\u00e9"));
    // Dynamic-only classes are not creatable and not registered.
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CShape"));
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
}

TEST(RuntimeClass, CreatesByNameWithDefaultConstructor)
{
    std::unique_ptr<CObject> square(CRuntimeClass::CreateObject("CSquare"));
    ASSERT_NE(nullptr, square);
    EXPECT_EQ(RUNTIME_CLASS(CSquare), square->GetRuntimeClass());
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CNoSuchClass"));
}

TEST(RuntimeClass, ClassOnlyCreatedByNameSurvivesStaticLinking)
{
    CRuntimeClass* pClass = CRuntimeClass::FromName("CCreatedByNameOnly");
    ASSERT_NE(nullptr, pClass);
    EXPECT_EQ(VERSIONABLE_SCHEMA | 7, pClass->m_wSchema);
    std::unique_ptr<CObject> object(pClass->CreateObject());
    ASSERT_NE(nullptr, object);
    EXPECT_TRUE(object->IsKindOf(pClass));
}
