// The class of forms that the host shows as document options views: the help-aware form with the
// view that wraps it and the nine operations the view passes on, each with a neutral default.
#pragma once

#include <cstdint>
#include <string>

#include "forms/form_with_help.h"

namespace plz::forms {

class TDocumentOptionsView;

class TDocumentOptionsForm : public TFormWithHelp {
public:
    std::string ClassName() const override { return "TDocumentOptionsForm"; }

    // The view that wraps the form (not owned); none before it is wrapped and once the view has gone.
    TDocumentOptionsView* View = nullptr;

    // The view's own operations 12 to 20, in order.
    virtual void OptionsView1(const std::string& name);
    virtual bool OptionsView2();
    virtual void OptionsView3();
    virtual void OptionsView4();
    virtual bool OptionsView5();
    virtual void OptionsView6();
    virtual void OptionsView7();
    virtual void OptionsView8(const std::string& first, const std::string& second);
    virtual void OptionsView9(const std::string& text, int32_t& value);
};

}  // namespace plz::forms
