#include "dispatch.h"

#include "interp/coord_commands.h"
#include "interp/label_commands.h"
#include "interp/label_state.h"
#include "interp/page_commands.h"
#include "interp/pen_commands.h"
#include "interp/poly_commands.h"

namespace interp {

namespace {

struct Table {
    DispatchEntry entry[26][26] = {};
    void set(const char* m, Handler h, int sel = 0) { entry[m[0] - 'A'][m[1] - 'A'] = {h, sel}; }

    Table() {
        // Pen, line and vector commands.
        set("PA", cmdPA);
        set("PR", cmdPR);
        set("PU", cmdPU);
        set("PD", cmdPD);
        set("SP", cmdSP);
        set("LT", cmdLT);
        set("IN", cmdReset, 0);
        set("DF", cmdReset, 1);
        set("UC", cmdUC);
        set("XT", cmdTick, 0);
        set("YT", cmdTick, 1);
        set("XA", cmdTickVariant, 0);
        set("YA", cmdTickVariant, 1);
        set("TL", cmdTL);
        set("SM", cmdSM);
        set("GR", cmdGR);
        // HP-GL/2 commands read past.
        set("PW", cmdPW);
        set("PE", cmdPE);
        set("PC", cmdPC);
        set("CR", cmdCR);
        set("LA", cmdLA);
        set("MC", cmdMC);
        set("MG", cmdMG);
        set("TR", cmdTR);
        set("BP", cmdBP);
        set("BR", cmdBezier, 1);
        set("BZ", cmdBezier, 0);
        set("RF", cmdRF);
        set("CO", cmdCO);
        // Coordinate systems.
        set("IP", cmdIP);
        set("IR", cmdIR);
        set("SC", cmdSC);
        set("IW", cmdIW);
        set("RO", cmdRO);
        set("PS", cmdPS);
        // Arcs, circles, polygons and fill.
        set("CI", cmdCI);
        set("AA", cmdAA);
        set("AR", cmdAR);
        set("AT", cmdArc3, 0);
        set("RT", cmdArc3, 1);
        set("CT", cmdCT);
        set("PM", cmdPM);
        set("EP", cmdEP);
        set("FP", cmdFP);
        set("RA", cmdRect, int(RectCommand::FillAbsolute));
        set("RR", cmdRect, int(RectCommand::FillRelative));
        set("EA", cmdRect, int(RectCommand::EdgeAbsolute));
        set("ER", cmdRect, int(RectCommand::EdgeRelative));
        set("WG", cmdWedge, int(WedgeCommand::Fill));
        set("EW", cmdWedge, int(WedgeCommand::Edge));
        set("FT", cmdFT);
        set("PT", cmdPT);
        // Labels.
        set("LB", cmdLB);
        set("DT", cmdDT);
        set("BL", cmdBL);
        set("PB", cmdPB);
        set("SI", cmdCharSize, int(SizeMode::Absolute));
        set("SR", cmdCharSize, int(SizeMode::Relative));
        set("SU", cmdCharSize, int(SizeMode::User));
        set("DI", cmdDirection, int(DirectionMode::Absolute));
        set("DR", cmdDirection, int(DirectionMode::Relative));
        set("DU", cmdDirection, int(DirectionMode::User));
        set("DV", cmdDV);
        set("SL", cmdSL);
        set("LO", cmdLO);
        set("CP", cmdCP);
        set("CS", cmdDesignateSet, 0);
        set("CA", cmdDesignateSet, 1);
        set("SS", cmdSelectSet, 0);
        set("SA", cmdSelectSet, 1);
        set("SD", cmdFontDefinition, 0);
        set("AD", cmdFontDefinition, 1);
        set("ES", cmdES);
        set("LM", cmdLM);
        // Page advance.
        set("PG", cmdPageAdvance, 1);
        set("AF", cmdPageAdvance, 1);
        set("AH", cmdPageAdvance, 1);
        set("FR", cmdPageAdvance, 1);
        set("NR", cmdPageAdvance, 0);
    }
};

const Table kTable;

} // namespace

const DispatchEntry* lookupCommand(int a, int b) {
    if (a < 'A' || a > 'Z' || b < 'A' || b > 'Z') return nullptr;
    const DispatchEntry& e = kTable.entry[a - 'A'][b - 'A'];
    return e.handler ? &e : nullptr;
}

} // namespace interp
