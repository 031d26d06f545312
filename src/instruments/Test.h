#pragma once
// The listener query form: finds every instrument listening on the bus and
// lists its answer to "*IDN?".
#include <cstdint>
#include <string>
#include <string_view>

#include "program/ProgramForm.h"

namespace instruments {

class Test : public ProgramForm {
public:
    explicit Test(Program& program);

    void RunRepeat_Click();
    void QuitButton_Click();
    void Info_Click();
    void ClearReadings();
    void RunListenerQuery();

    ui::Label Label1{*this, "Label1"};
    ui::ListBox ReadingsList{*this, "ReadingsList"};
    ui::CommandButton RunRepeat{*this, "RunRepeat"};
    ui::CommandButton QuitButton{*this, "QuitButton"};
    ui::CommandButton Info{*this, "Info"};
    ui::Label Label2{*this, "Label2"};

protected:
    void Form_Load() override;

private:
    // Reports a failed bus call, takes the board offline and ends the program.
    [[noreturn]] void GpibQuit(std::string_view text);
};

// The texts of the query form's error report.
std::string gpibStatusText(std::int16_t ibsta);
std::string gpibErrorText(std::int16_t ibsta, std::int16_t iberr);
std::string gpibCountText(std::int16_t ibcnt);

}  // namespace instruments
