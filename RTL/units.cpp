// Unit settings, read from the PCB editor's options at load.
#include "RTL/units.h"

#include <string>
#include <utility>

#include "client/paths.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "platform/wide_string.h"

namespace plz {
namespace {

struct UnitFormat {
    int32_t digits;
    int32_t scale;
};
UnitFormat g_units[2] = {{5, 100000}, {3, 1000}};

int32_t PowerOfTen(int32_t n) {
    int32_t v = 1;
    while (n-- > 0) v *= 10;
    return v;
}

UnitFormat& Format(uint8_t unit) {
    if (unit > kUnitMils) throw EAssertionFailed("Unexpected Unit");
    return g_units[unit];
}

// The millimetre digits the editor's options hold, or `current` when they hold none.
int32_t ReadMillimetreDigits(IClient& client, int32_t current) {
    ComPtr<IOptionsManager> manager;
    CheckHost(client.GetOptionsManager(manager.Out()));
    if (!manager) return current;
    ComPtr<IOptionsReader> reader;
    {
        WideString name("TrelPA");
        WideString path(GetPreferenceFolder() + "TRELPA.INI");
        CheckHost(manager->GetOptionsReader(name.Get(), path.Get(), reader.Out()));
    }
    if (!reader) return current;
    WideString section("SystemOptions");
    WideString key("FractionalDigits_mm");
    int32_t digits = current;
    CheckHost(reader->ReadInteger(section.Get(), key.Get(), current, &digits));
    return digits;
}

}  // namespace

int32_t SetUnitDigits(uint8_t unit, int32_t digits) {
    UnitFormat& f = Format(unit);
    const int32_t previous = f.digits;
    const int32_t most = unit == kUnitMillimetres ? 5 : 4;
    f.digits = digits < 3 ? 3 : digits > most ? most : digits;
    f.scale = PowerOfTen(f.digits);
    return previous;
}

int32_t UnitDigits(uint8_t unit) { return Format(unit).digits; }
int32_t UnitScale(uint8_t unit) { return Format(unit).scale; }

void LoadUnitSettings() {
    int32_t mm = 5;
    int32_t mils = 3;
    if (ComPtr<IClient> client = CurrentClient())
        mm = ReadMillimetreDigits(*client.Get(), g_units[kUnitMillimetres].digits);
    SetUnitDigits(kUnitMils, mils);
    SetUnitDigits(kUnitMillimetres, mm);
}

}  // namespace plz
