// A COM object of the framework answers for its interface alone and goes
// with its last reference, not before: the system holds the notification
// source, and a test its handler, by such references.

#include "framework/window/ComObject.h"

#include <objidl.h>

#include <gtest/gtest.h>

namespace {

// Stands for an object of the interface IPersist; says when it goes.
class CProbe final : public CComObject<IUnknown> {
public:
    explicit CProbe(bool& bGone) : CComObject(__uuidof(IPersist)), m_bGone(bGone) {}
    ~CProbe() override { m_bGone = true; }

private:
    bool& m_bGone;
};

}  // namespace

TEST(ComObject, AnswersForItsInterfaceAndGoesWithItsLastReference)
{
    bool bGone = false;
    IUnknown* const pObject = new CProbe(bGone);
    IUnknown* pAsked = nullptr;
    EXPECT_EQ(pObject->QueryInterface(__uuidof(IStream), reinterpret_cast<void**>(&pAsked)), E_NOINTERFACE);
    ASSERT_EQ(pObject->QueryInterface(__uuidof(IPersist), reinterpret_cast<void**>(&pAsked)), S_OK);
    pObject->Release();
    EXPECT_FALSE(bGone) << "gone while referenced";
    pAsked->Release();
    EXPECT_TRUE(bGone) << "not gone with its last reference";
}
