// Unit settings from the PCB editor's options, digit clamping, and the unit conversions.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "RTL/units.h"
#include "client/paths.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "frame/host_interfaces.h"
#include "platform/os.h"

namespace plz {
namespace {

template <typename I>
struct Uncounted : I {
    HRESULT PLZ_STDCALL QueryInterface(const GUID&, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t PLZ_STDCALL AddRef() override { return 1; }
    uint32_t PLZ_STDCALL Release() override { return 1; }
};

// The options reader: a stored value or none, and what it was asked.
struct FakeReader : Uncounted<IOptionsReader> {
    bool stored = false;
    int32_t value = 0;
    std::string section, key;
    int32_t defaultValue = -1;
    HRESULT PLZ_STDCALL ReadInteger(BSTR s, BSTR k, int32_t def, int32_t* out) override {
        section = os::AnsiFromString(s);
        key = os::AnsiFromString(k);
        defaultValue = def;
        *out = stored ? value : def;
        return S_OK;
    }
};

struct FakeOptionsManager : Uncounted<IOptionsManager> {
    FakeReader* reader = nullptr;
    std::string name, path;
    HRESULT PLZ_STDCALL GetOptionsReader(BSTR n, BSTR p, IOptionsReader** out) override {
        name = os::AnsiFromString(n);
        path = os::AnsiFromString(p);
        *out = reader;
        return S_OK;
    }
};

struct FakeClient : Uncounted<IClient> {
    FakeOptionsManager* manager = nullptr;
    HRESULT status = S_OK;
    HRESULT PLZ_STDCALL GetApplicationHandle(WindowHandle*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetCurrentView(IServerDocumentView**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL OpenDocumentByPath(BSTR, IServerDocument**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetGUIManager(IGUIManager**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetImmediateFormRelease(uint8_t*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetServerModuleCount(int32_t*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetServerModule(int32_t, IServerModule**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL ShowDocument(IServerDocument*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetAddressService(IAddressService**) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetModuleFileNameOfReference(BSTR, BSTR*) override { return E_NOTIMPL; }
    HRESULT PLZ_STDCALL GetUserInterfaceFont(int32_t, int32_t*, BSTR*, int32_t*, int32_t*, int32_t*, int32_t*) override {
        return E_NOTIMPL;
    }
    HRESULT PLZ_STDCALL GetOptionsManager(IOptionsManager** out) override {
        *out = Failed(status) ? nullptr : manager;
        return status;
    }
};

std::string PrefFolder() { return std::string(1, os::kPathSeparator) + "prefs"; }
bool AnyDirectory(const std::string&) { return true; }

class UnitSettings : public ::testing::Test {
protected:
    UnitSettings() {
        manager.reader = &reader;
        client.manager = &manager;
    }
    ~UnitSettings() override {
        SetCurrentClient(nullptr);
        LoadUnitSettings();  // back to 5 and 3
    }
    os::ScopedOverride<std::string()> appData_{os::calls().AppDataFolder, &PrefFolder};
    os::ScopedOverride<bool(const std::string&)> dirs_{os::calls().DirectoryExists, &AnyDirectory};
    FakeReader reader;
    FakeOptionsManager manager;
    FakeClient client;
};

TEST_F(UnitSettings, MillimetreDigitsComeFromTheEditorsOptionsClamped) {
    SetCurrentClient(&client);
    reader.stored = true;
    const std::pair<int32_t, int32_t> cases[] = {{4, 4}, {7, 5}, {2, 3}, {-1, 3}};
    for (auto [stored, digits] : cases) {
        reader.value = stored;
        LoadUnitSettings();
        EXPECT_EQ(UnitDigits(kUnitMillimetres), digits) << stored;
        EXPECT_EQ(UnitScale(kUnitMillimetres), int32_t(std::pow(10, digits)));
        EXPECT_EQ(UnitDigits(kUnitMils), 3);
    }
    EXPECT_EQ(manager.name, "TrelPA");
    EXPECT_EQ(manager.path, GetPreferenceFolder() + "TRELPA.INI");
    EXPECT_EQ(manager.path.find(std::string(2, os::kPathSeparator)), std::string::npos);  // one separator
    EXPECT_EQ(reader.section, "SystemOptions");
    EXPECT_EQ(reader.key, "FractionalDigits_mm");
}

TEST_F(UnitSettings, UnsetOptionKeepsTheCurrentMillimetreDigits) {
    SetUnitDigits(kUnitMillimetres, 4);
    SetCurrentClient(&client);
    LoadUnitSettings();
    EXPECT_EQ(reader.defaultValue, 4);
    EXPECT_EQ(UnitDigits(kUnitMillimetres), 4);

    SetCurrentClient(nullptr);
    LoadUnitSettings();
    EXPECT_EQ(UnitDigits(kUnitMillimetres), 5);
    EXPECT_EQ(UnitDigits(kUnitMils), 3);
}

TEST_F(UnitSettings, HostFailureRaises) {
    client.status = E_FAIL;
    SetCurrentClient(&client);
    EXPECT_THROW(LoadUnitSettings(), EHostError);
}

TEST_F(UnitSettings, SetUnitDigitsClampsPerUnitAndAnswersThePreviousCount) {
    struct Case {
        uint8_t unit;
        int32_t digits, previous, now, scale;
    };
    const Case cases[] = {
        {kUnitMils, 9, 3, 4, 10000}, {kUnitMils, 0, 4, 3, 1000},       {kUnitMillimetres, 3, 5, 3, 1000},
        {kUnitMillimetres, 5, 3, 5, 100000}, {kUnitMillimetres, 6, 5, 5, 100000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SetUnitDigits(c.unit, c.digits), c.previous);
        EXPECT_EQ(UnitDigits(c.unit), c.now);
        EXPECT_EQ(UnitScale(c.unit), c.scale);
    }
    try {
        SetUnitDigits(2, 4);
        ADD_FAILURE() << "no assertion failure";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Unexpected Unit");
    }
    EXPECT_EQ(UnitDigits(kUnitMillimetres), 5);
    EXPECT_EQ(UnitDigits(kUnitMils), 3);
}

TEST(Units, MilsToInternalRoundsHalvesToEvenAndKeepsTheLow32Bits) {
    const std::pair<double, int32_t> cases[] = {
        {20.0, 200000},   {1.4, 14000},     {12.6, 126000},  {0.03125, 312},  // 312.5
        {0.09375, 938},   {-0.03125, -312}, {300000.0, -1294967296},          // 3e9 wraps
    };
    for (auto [mils, internal] : cases) EXPECT_EQ(MilsToInternal(mils), internal) << mils;
    EXPECT_EQ(MilsToInternalReal(0.03125), 312.5);
    EXPECT_EQ(DegreesToRadians(180.0), 3.141592653589793);
    EXPECT_EQ(DegreesToRadians(-90.0), -1.5707963267948966);
}

}  // namespace
}  // namespace plz
