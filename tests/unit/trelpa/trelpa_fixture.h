// The fixture of the simulated PCB editor's tests: the module loaded once from beside the test
// program, a fresh board before every test, and components added through the control table.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "hostsim/trelpa/trelpa_control.h"
#include "hostsim/trelpa/trelpa_module.h"

namespace plz::test {

class TrelpaFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (control_) return;
        std::string error;
        module_ = trelpa::OpenModuleBesideProgram(&error);
        ASSERT_NE(module_, nullptr) << error;
        control_ = trelpa::ControlOf(module_);
    }
    void SetUp() override {
        ASSERT_NE(control_, nullptr);
        board_ = control_->Reset();
    }

    // A component whose rectangle reaches 1000 left, 2000 down, 3000 right and 4000 up from (x, y).
    static uint32_t Add(const char* designator, const char* footprint, int32_t x, int32_t y, uint8_t layer = 1,
                        bool selected = false, bool excluded = false) {
        const trelpa::ComponentSpec part{designator, footprint, x,    y,     x - 1000, y - 2000,
                                         x + 3000,   y + 4000,  90.0, layer, uint8_t(selected), uint8_t(excluded)};
        return control_->AddComponent(&part);
    }
    static trelpa::ComponentState Read(uint32_t handle) {
        trelpa::ComponentState s{};
        EXPECT_NE(control_->ReadComponent(handle, &s), 0);
        return s;
    }
    static std::string Dump() { return control_->Dump(); }

    static inline ModuleHandle module_ = nullptr;
    static inline const trelpa::Control* control_ = nullptr;
    uint32_t board_ = 0;
};

}  // namespace plz::test
