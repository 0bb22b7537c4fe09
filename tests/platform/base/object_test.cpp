// tests/platform/base/object_test.cpp: run-time class records, factories and the kind test.
#include "platform/base/object.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class CShape : public CObject {
public:
    const CRuntimeClass* GetRuntimeClass() const override { return RuntimeClassOf<CShape>(); }
    virtual int Corners() const = 0;
};

// No record of its own: objects still count as shapes through it.
class CPolygon : public CShape {
public:
    int Corners() const override { return 5; }
};

class CSquare final : public CPolygon {
public:
    const CRuntimeClass* GetRuntimeClass() const override { return RuntimeClassOf<CSquare>(); }
    int Corners() const override { return 4; }
};

class CCircle final : public CShape {
public:
    explicit CCircle(int radius) : m_radius(radius) {}
    int Corners() const override { return m_radius * 0; }

private:
    int m_radius;
};

} // namespace

TEST(RuntimeClassTest, OneRecordPerClassNamedAfterIt)
{
    EXPECT_EQ(RuntimeClassOf<CSquare>(), RuntimeClassOf<CSquare>());
    EXPECT_NE(RuntimeClassOf<CSquare>(), RuntimeClassOf<CPolygon>());
    EXPECT_EQ(std::string(RuntimeClassOf<CSquare>()->m_lpszClassName), "CSquare");
    EXPECT_EQ(std::string(RuntimeClassOf<CObject>()->m_lpszClassName), "CObject");
}

TEST(RuntimeClassTest, FactoryMakesAnEmptyObjectWhenTheClassAllowsIt)
{
    const std::unique_ptr<CObject> made(RuntimeClassOf<CSquare>()->CreateObject());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), RuntimeClassOf<CSquare>());
    EXPECT_EQ(static_cast<CShape*>(made.get())->Corners(), 4);
    EXPECT_EQ(RuntimeClassOf<CShape>()->CreateObject(), nullptr);  // abstract
    EXPECT_EQ(RuntimeClassOf<CCircle>()->CreateObject(), nullptr); // needs an argument
}

TEST(RuntimeClassTest, IsKindOfWalksUpThroughClassesWithoutRecords)
{
    const CSquare square;
    const CCircle circle(2);
    EXPECT_TRUE(square.IsKindOf(RuntimeClassOf<CSquare>()));
    EXPECT_TRUE(square.IsKindOf(RuntimeClassOf<CPolygon>()));
    EXPECT_TRUE(square.IsKindOf(RuntimeClassOf<CShape>()));
    EXPECT_TRUE(square.IsKindOf(RuntimeClassOf<CObject>()));
    EXPECT_FALSE(circle.IsKindOf(RuntimeClassOf<CPolygon>()));
    EXPECT_FALSE(circle.IsKindOf(nullptr));
    EXPECT_EQ(circle.GetRuntimeClass(), RuntimeClassOf<CShape>());
}
