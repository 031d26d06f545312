#include "gpib/GpibErrors.h"

#include "vb/Numbers.h"

namespace gpib {

const std::array<GpibErrorCode, kGpibErrorCodes>& gpibErrorCodes()
{
    static constexpr std::array<GpibErrorCode, kGpibErrorCodes> codes = {{
        {"EDVR", "DOS Error"},
        {"ECIC", "Not CIC"},
        {"ENOL", "No Listener"},
        {"EADR", "Address Error"},
        {"EARG", "Invalid argument"},
        {"ESAC", "Not Sys Ctrlr"},
        {"EABO", "Op. aborted"},
        {"ENEB", "No GPIB board"},
        {"EDMA", "DMA error"},
        {"", ""},
        {"EOIP", "Async I/O in prg"},
        {"ECAP", "No capability"},
        {"EFSO", "File sys. error"},
        {"", ""},
        {"EBUS", "Command error"},
        {"ESTB", "Status byte lost"},
        {"ESRQ", "SRQ stuck high"},
        {"", ""},
        {"", ""},
        {"", ""},
        {"ETAB", "Table overflow"},
        {"ELCK", "Interface is locked"},
        {"EARM", "ibnotify callback failed to rearm"},
        {"EHDL", "Input handle is invalid"},
        {"", ""},
        {"", ""},
        {"EWIP", "Wait in progress on specified input handle"},
        {"ERST", ""},
        {"EPWR", "The interface lost power"},
    }};
    return codes;
}

const std::array<std::string_view, kGpibErrorCodes>& GpibErrNames()
{
    static const std::array<std::string_view, kGpibErrorCodes> names = [] {
        std::array<std::string_view, kGpibErrorCodes> out{};
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = gpibErrorCodes()[i].name;
        return out;
    }();
    return names;
}

std::string_view gpibErrName(int iberr)
{
    const auto& names = GpibErrNames();
    return iberr >= 0 && iberr < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(iberr)]
                                                                : std::string_view();
}

std::string statusHex(std::int16_t ibsta) { return vb::Hex(static_cast<std::uint16_t>(ibsta)); }

std::string gpibErrorMessage(std::string_view text, std::int16_t ibsta, std::int16_t iberr, bool withMnemonic)
{
    std::string msg(text);
    msg += "\ribsta = &H" + statusHex(ibsta) + "\riberr = " + vb::CStr(static_cast<int>(iberr));
    if (withMnemonic)
        msg += " <" + std::string(gpibErrName(iberr)) + ">";
    return msg;
}

void ShowGpibError(ui::Runtime& rt, Vbib32& gpib, std::string_view text)
{
    gpib.g.setGpibErrText(gpibErrorMessage(text, gpib.g.ibsta, gpib.g.iberr, true));
    rt.MsgBox(gpib.g.GpibErrText, ui::vbCritical | ui::vbOKOnly, "Error");
    gpib.ibonl(gpib.g.CurrentDevice, 0);
    rt.End();
}

void showOpenFailure(ui::Runtime& rt, Vbib32& gpib, std::string_view text)
{
    gpib.g.setGpibErrText(gpibErrorMessage(text, gpib.g.ibsta, gpib.g.iberr, false));
    rt.MsgBox(gpib.g.GpibErrText, ui::vbCritical | ui::vbOKOnly, "Error");
}

}  // namespace gpib
