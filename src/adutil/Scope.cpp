// The scope of the measurement page: scale, grid, axis labels and the buttons
// that change the scale.
#include "adutil/FastDrawing.h"
#include "adutil/frmADUtil.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace adutil {

void frmADUtil::cmdMeasureScreenInit_Click()
{
    traceDetail(p.TraceIndent1 + p.TraceIndent2);
    traceDetail("Measurement Scope Initialization");
    traceDetail("\r\n");
    lbluvdiv[3].Caption = vb::Str(kFullSpan / kDivisions);
    lbluvdiv[2].Caption = "0";
    for (int i = 1; i <= 3; ++i)
        lblpkpk[i].Caption = "----";
    lblADInstant[1].Caption = "----";
    scale.RangeSpan = kFullSpan;

    // White picture, the grid, and that image saved as the trace's background.
    wave.ClearPixelArray(picTrace1_1, wave.PixelSave);
    wave.WritePixels(picTrace1_1, wave.PixelSave);
    DrawGrid(picTrace1_1);
    wave.ReadPixels(picTrace1_1, wave.PixelSave);

    Label3[2].Caption = "Min. V";
    Label3[3].Caption = "Max. V";
    labels.PlotUnitText = "mV";
    labels.PlotTitle = "Output1";
    scale.reset();
    DrawGridLabels3(picTrace1_2, picTrace1_1);
    wave.WritePixels(picTrace1_1, wave.PixelSave);
    lbluvdiv[0].Caption = vb::Str(scale.ScaleSpan / kDivisions);
}

void frmADUtil::DrawGrid(ui::PictureBox& picture)
{
    FastDrawing fd;
    FastDrawing::ImageData bytes;
    fd.GetImageData(picture, bytes);
    const int w = fd.GetImageWidth(picture);
    const int h = fd.GetImageHeight(picture);
    auto black = [&](int x, int line) {
        bytes(2, x, line) = 0;
        bytes(1, x, line) = 0;
        bytes(0, x, line) = 0;
    };
    // The picture is brought up to date every 25 columns, so a slow drawing shows its progress.
    if (const int s = gridStep(w / 10.0); s > 0) {
        for (int x = s; x <= w; x += s) {
            for (int line = 0; line <= h; ++line)
                black(x, line);
            if (x % 25 == 0)
                fd.SetImageData(picture, bytes);
        }
    }
    if (const int t = gridStep(h / 10.0); t > 0) {
        for (int x = 0; x <= w; ++x) {
            for (int line = 0; line <= h; line += t)
                black(x, line);
            if (x % 25 == 0)
                fd.SetImageData(picture, bytes);
        }
    }
    fd.SetImageData(picture, bytes);
}

void frmADUtil::DrawGridLabels3(ui::PictureBox& labelPicture, ui::PictureBox& tracePicture)
{
    const int w = tracePicture.Width;
    labels.PlotWidth = w;
    labels.XLabelText = xLabelTexts(labels.PlotWidth);
    labels.YLabelText = yLabelTexts(scale.ScaleBottom, scale.ScaleSpan);
    labelPicture.Cls();
    const int th = labelPicture.TextHeight("Yy");
    const int tw = labelPicture.TextWidth("W");
    for (const PlacedText& t : layoutGridLabels({w, tracePicture.Height, th, tw, labels.XLabelText, labels.YLabelText,
             labels.PlotUnitText, labels.PlotTitle})) {
        labelPicture.CurrentX = t.x;
        labelPicture.CurrentY = t.y;
        labelPicture.Print(t.text);
    }
    labelPicture.Refresh();
    run.SampleCycle = 0;
}

void frmADUtil::showScaleValues()
{
    lbluvdiv[2].Caption = vb::Format(vb::Val(labels.YLabelText[5]), "#####.00000");
    lbluvdiv[3].Caption = vb::Format(scale.ScaleSpan / kDivisions, "#####.00000");
}

void frmADUtil::cmrResetPeaks_Click()
{
    scale.resetPeaks();
    for (int i = 1; i <= 3; ++i)
        lblpkpk[i].Caption = "--";
}

void frmADUtil::cmdRangeAdj_Click(int Index)
{
    if (Index == 0)
        scale.scaleRangeSpan(0.75);
    else if (Index == 1)
        scale.scaleRangeSpan(1.25);
    if (Index == 2) {
        scale.centerOnPeaks();
        DrawGridLabels3(picTrace1_2, picTrace1_1);
        showScaleValues();
        return;
    }
    scale.applyRangeSpan();
    DrawGridLabels3(picTrace1_2, picTrace1_1);
    scale.centerOnPeaks();
    DrawGridLabels3(picTrace1_2, picTrace1_1);
    showScaleValues();
    cmrResetPeaks_Click();
}

void frmADUtil::cmdAutoRange2_Click()
{
    const double span = scale.autoRange(vb::Val(lblpkpk[1].Caption.get()), vb::Val(lblpkpk[3].Caption.get()));
    DrawGridLabels3(picTrace1_2, picTrace1_1);
    showScaleValues();
    cmdRangeAdj_Click(2);
    scale.RangeSpan = span;
    cmrResetPeaks_Click();
}

}  // namespace adutil
