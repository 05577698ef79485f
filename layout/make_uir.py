#!/usr/bin/env python3
"""Writes the layout file Colmira3V42.uir (Qt Designer XML) and the id header
src/Colmira3V42_uir.h from one description of the nine panels.

    python3 layout/make_uir.py          write both files
    python3 layout/make_uir.py --check  exit 1 if either file differs from what would be written

Every control the program addresses has an upper-case object name, which is also
the name of its id constant. Ids count from 2 upward per panel or tab page, in the
order the controls appear below; everything else (labels, group boxes, layouts)
gets a lower-case name and no id. The control kinds and layout helpers live in
uir_controls.py, the XML and header writing in uir_writer.py.
"""

import argparse
import os
import sys

import uir_writer as writer
from uir_controls import (ALIGN_NUM, BLUE, GAP, GREEN, GREY, MARGIN, RED, bar, button, caption,
                          colornum, combo, deco, disp, dnum, form, frame, graph, grid, group,
                          hbox, led, num, page, radio, rgb_triple, ring, slide, string, strip,
                          switch, table, tabs, textbox, textmsg, vbox)
from uir_writer import Color, Enum, Font, Palette, Set, Widget, rect, size, stretch_h, stretch_v

ROW_ACTIVE, ROW_INACTIVE = 0x008000, 0xFF0000   # row labels of active and inactive teach rows

# Default row colours, teach row r uses entry r mod 15.
ROW_COLORS = [0xFF0000, 0x80FF00, 0x0000FF, 0x000000, 0xFF80C0, 0xFFFF00, 0x808000, 0x800080,
              0x80FFFF, 0xFF0080, 0x400080, 0xFF00FF, 0x008000, 0x408080, 0x800000]

# Teach-table defaults: cells 1, group 0, hold 10, one active row (MAX VEC NO 1).
DEFAULT_MAXVECNO = 1

HERE = os.path.dirname(os.path.abspath(__file__))
UIR_PATH = os.path.join(HERE, "Colmira3V42.uir")
HEADER_PATH = os.path.join(HERE, "..", "src", "Colmira3V42_uir.h")
CALLBACKS_HEADER_PATH = os.path.join(HERE, "..", "src", "Colmira3V42_callbacks.h")
CALLBACKS_TABLE_PATH = os.path.join(HERE, "..", "src", "Colmira3V42_callbacks.cpp")
# Callbacks the layout names that have no function yet: they resolve to CBF_NotYet.
WAITING_PATH = os.path.join(HERE, "callbacks_waiting.txt")

# ---------------------------------------------------------------------------
# MAINP pages (main tab control, West side).


def tab_comm():
    P = "TABCOMM"
    protocol = ring(f"{P}_RING_PROTOCOL", "PROTOCOL", ["RS-232", "TCP/IP"],
                    "CBF_EditCommunicationProtocol")
    comport = num(f"{P}_NUM_COMPORT", "COM PORT", "CBF_EditSelectComPort", 1, 256, 1, minw=56)
    device = string(f"{P}_STR_DEVICE", None, text="/dev/ttyS0", readonly=True, minw=80)
    baud = ring(f"{P}_RING_BAUDRATE", "BAUD RATE", ["9600", "19200", "38400", "57600", "115200"],
                "CBF_EditSelectBaudrate", 4)
    host = combo(f"{P}_COMBO_HOST", "HOST", "CBF_StringIpAdress", visible=False)
    port = string(f"{P}_STR_PORTNUMBER", "PORT", "CBF_StringPortNumber", "10001", maxlen=31,
                  visible=False)
    sensor_id = string(f"{P}_STR_ID", "SENSOR ID", "CBF_EditID", maxlen=99)
    connection = grid([
        (protocol.label, 0, 0), (protocol, 0, 1, 1, 2),
        (comport.label, 1, 0), (comport, 1, 1), (device, 1, 2),
        (baud.label, 2, 0), (baud, 2, 1, 1, 2),
        (host.label, 3, 0), (host, 3, 1, 1, 2),
        (port.label, 4, 0), (port, 4, 1, 1, 2),
        (sensor_id.label, 5, 0), (sensor_id, 5, 1, 1, 2),
    ], colstretch="0,0,1")
    buttons = grid([
        (button(f"{P}_BUTTON_CONNECT", "CONNECT", "CBF_ButtonTryToConnect"), 0, 0),
        (button(f"{P}_BUTTON_ACCEPT", "ACCEPT", "CBF_ButtonAccept", enabled=False), 0, 1),
        (button(f"{P}_BUTTON_BAUDRATE", "CHANGE BAUD", "CBF_ButtonChangeBaudrate",
                enabled=False), 1, 0),
        (button(f"{P}_BUTTON_HWFILE", "HW INFO FILE", "CBF_ButtonGenHwInfoFile",
                enabled=False), 1, 1),
    ], hspacing=GAP, vspacing=GAP)
    log = textbox(f"{P}_TEXTBOX_LOG", readonly=True, minh=80)
    return page(P, "Link", vbox(
        group("LINK", connection),
        buttons,
        group("MESSAGES", vbox(log)),
        margins=(MARGIN,) * 4, stretch="0,0,1"))


def tab_para():
    P = "TABPARA"
    ledmode = ring(f"{P}_RING_LEDMODE", "LED MODE", ["DC", "AC", "PULSE", "OFF"], "CBF_EditLedMode")
    power = slide(f"{P}_SLIDE_POWER", "POWER", 0, 1000, 500, "CBF_SlidePower")
    pmode = ring(f"{P}_RING_POWERMODE", "POWER MODE", ["STAT", "DYN"], "CBF_EditPmode")
    dynlo = num(f"{P}_NUM_DYNWINLO", "DYNWIN LO", "CBF_EditDynWinLoHi", 0, 65535, 3200,
                enabled=False, minw=52)
    dynhi = num(f"{P}_NUM_DYNWINHI", "HI", "CBF_EditDynWinLoHi", 0, 65535, 3300, enabled=False,
                minw=52)
    gain = ring(f"{P}_RING_GAIN", "GAIN", [f"AMP{i}" for i in range(1, 9)], "CBF_EditGain", 5,
                values=list(range(1, 9)))
    average = num(f"{P}_NUM_AVERAGE", "AVERAGE", "CBF_EditAverage", 0, 65535, 1)
    integral = num(f"{P}_NUM_INTEGRAL", "INTEGRAL", "CBF_EditIntegral", 0, 250, 1)
    evalmode = ring(f"{P}_RING_EVALMODE", "EVALUATION MODE",
                    ["FIRST HIT", "BEST HIT", "MIN DIST", "COL5", "THD RGB"], "CBF_EditEvalmode", 1)
    calcmode = ring(f"{P}_RING_CALCMODE", "CALCULATION MODE",
                    ["X Y INT 2D", "s i M 2D", "X Y INT 3D", "s i M 3D"], "CBF_EditCalcmode")
    maxvec = num(f"{P}_NUM_MAXVECNO", "MAXCOL-No.", "CBF_EditMaxVecNo", 0, 31, DEFAULT_MAXVECNO)
    intlim = num(f"{P}_NUM_INTLIM", "INTLIM", "CBF_EditIntlim", 0, 65535, 0)
    outmode = ring(f"{P}_RING_DIGOUTMODE", "DIGITAL OUTMODE", ["BINARY", "DIRECT LO", "DIRECT HI"],
                   "CBF_EditDigOutmode", 0, values=[1, 0, 2])
    trigger = ring(f"{P}_RING_TRIGGER", "TRIGGER",
                   ["CONT", "SELF", "EXT1", "EXT2", "EXT3", "TRANS", "PARA"], "CBF_EditTrigger")
    exteach = ring(f"{P}_RING_EXTEACH", "EXTERN TEACH", ["OFF", "ON", "STAT1", "DYN1"],
                   "CBF_EditExteach")
    # Ranges the sensor defines itself take every 16-bit word, so a value read
    # from the sensor comes back unchanged.
    # DYNWIN LO and HI share one row: label | LO | "HI" | HI.
    # Fifteen rows: packed a little tighter than the other pages.
    dense = 2
    transmitter = grid([
        (ledmode.label, 0, 0), (ledmode, 0, 1, 1, 3),
        (power.label, 1, 0), (power, 1, 1, 1, 3),
        (pmode.label, 2, 0), (pmode, 2, 1, 1, 3),
        (dynlo.label, 3, 0), (dynlo, 3, 1), (dynhi.label, 3, 2), (dynhi, 3, 3),
    ], colstretch="0,1,0,1", vspacing=dense)
    return page(P, "Para", vbox(
        group("TRANSMITTER", transmitter),
        group("RECEIVER", form(gain, average, integral, colstretch="0,1", vspacing=dense)),
        group("EVALUATION", form(evalmode, calcmode, maxvec, intlim, outmode, colstretch="0,1",
                                 vspacing=dense)),
        group("TRIGGER", form(trigger, exteach, colstretch="0,1", vspacing=dense)),
        stretch_v(),
        margins=(MARGIN, 4, MARGIN, 4), spacing=2))


def teach_row_labels():
    labels = [str(r) for r in range(31)]
    colors = [ROW_ACTIVE if r < DEFAULT_MAXVECNO else ROW_INACTIVE for r in range(31)]
    return labels, colors


def tab_grphold():
    P = "TABGRPHOLD"
    labels, colors = teach_row_labels()
    groups = table(f"{P}_TABLE_GROUP", 31, 2, ["GROUP", ""], "CBF_EditGridGroups",
                   labels, colors, cells=lambda r, c: "0", color_col=1,
                   color_of_row=lambda r: ROW_COLORS[r % 15], col_width=48, widths=(48, 16),
                   no_hscroll=True)
    hold_colors = [ROW_ACTIVE if r < DEFAULT_MAXVECNO + 1 else ROW_INACTIVE for r in range(32)]
    # Row 1 holds HOLD FAIL, which belongs to no teach row: its colour cell stays grey.
    holds = table(f"{P}_TABLE_HOLD", 32, 2, ["HOLD", ""], "CBF_EditGridHold",
                  ["FAIL"] + labels, hold_colors, cells=lambda r, c: "10", color_col=1,
                  color_of_row=lambda r: GREY if r == 0 else ROW_COLORS[(r - 1) % 15],
                  col_width=44, widths=(44, 16), no_hscroll=True)
    reset_value = num(f"{P}_NUM_RESETHOLD", "VALUE", "CBF_EditResetHold", 0, 65535, 10, minw=56)
    group_box = vbox(
        caption("GROUPS"),
        group("", vbox(
            groups,
            button(f"{P}_BUTTON_RESETGROUP", "RESET", "CBF_ButtonResetGroupTable"),
            spacing=4)),
        spacing=2, stretch="0,1")
    # The heading of the hold column answers the right click with the meaning of HOLD.
    hold_box = vbox(
        textmsg(f"{P}_TEXTMSG_HOLD", "HOLD (min. pulse)", "CBF_EditHold"),
        group("", vbox(
            holds,
            hbox(reset_value.label, reset_value, spacing=4, stretch="0,1"),
            button(f"{P}_BUTTON_RESETHOLD", "RESET", "CBF_ButtonResetHoldTable"),
            spacing=4)),
        spacing=2, stretch="0,1")
    colorgroup = switch(f"{P}_SWITCH_COLORGROUP", "COLOR GROUP", "CBF_EditColorGroups")
    return page(P, "Group", vbox(colorgroup, hbox(group_box, hold_box, spacing=GAP),
                                 margins=(MARGIN,) * 4, spacing=GAP, stretch="0,1"))


def tab_teach():
    P = "TABTEACH"
    labels, colors = teach_row_labels()
    teach = table(f"{P}_TABLE_TEACH", 31, 6, ["X", "Y", "CTO", "INT", "ITO", ""], "CBF_GridCtt",
                  labels, colors, cells=lambda r, c: "1", color_col=5,
                  color_of_row=lambda r: ROW_COLORS[r % 15], col_width=38,
                  widths=(38, 38, 38, 38, 38, 18))
    no = num(f"{P}_NUM_NO", "No.:", "CBF_EditNo", 0, 30, 0, minw=48)
    inc = radio(f"{P}_RADIO_INC", "AUTO INC", "CBF_RadioInc")
    controls = grid([
        (no.label, 0, 0), (no, 0, 1), (inc, 0, 2),
        (button(f"{P}_BUTTON_TEACHDATATO", "TEACH DATA TO", "CBF_ButtonTeachDataTo"), 1, 0, 1, 2),
        (button(f"{P}_BUTTON_RESET", "RESET", "CBF_ButtonResetTable"), 1, 2),
        (button(f"{P}_BUTTON_TEACHMEAN", "TEACH MEAN VALUES ...", "CBF_ButtonTeachMeanVal"),
         2, 0, 1, 3),
        (button(f"{P}_BUTTON_TEACHREC", "TEACH RECORDED VALUES ...", "CBF_ButtonTeachRecVal"),
         3, 0, 1, 3),
    ], hspacing=4, vspacing=4, colstretch="0,1,1")
    return page(P, "Teach", vbox(teach, controls, margins=(4, 4, 4, 4), spacing=4,
                                 stretch="1,0"))


def tab_rec():
    P = "TABREC"
    mode = ring(f"{P}_RING_MODE", None, ["INTERVAL, N FRAMES", "INTERVAL, UNTIL STOP",
                                         "MANUAL", "TRIGGER"], "CBF_EditSelectDataRec")
    interval = dnum(f"{P}_NUM_INTERVAL", "INTERVAL [s]", "CBF_EditInterval", 0.25, 86400.0, 1.0,
                    2, 0.25)
    number = num(f"{P}_NUM_NUMBER", "FRAMES N", "CBF_EditRecVal", 1, 65535, 100)
    days = disp(f"{P}_DISP_DAYS", "DAYS", "CBF_DispRecordTime", minw=44)
    hours = disp(f"{P}_DISP_HOURS", "HOURS", "CBF_DispRecordTime", minw=44)
    minutes = disp(f"{P}_DISP_MINUTES", "MIN", "CBF_DispRecordTime", value="1", minw=44)
    seconds = disp(f"{P}_DISP_SECONDS", "SEC", "CBF_DispRecordTime", precision=2, value="40.00",
                   minw=44)
    recorded = disp(f"{P}_DISP_RECORDED", "RECORDED", "CBF_DispRecordedValues")
    running = disp(f"{P}_DISP_RUNNING", "RECORDED", visible=False)
    remaining = disp(f"{P}_DISP_REMAINING", "REMAINING", "CBF_DispRemaining", value="100")
    start = button(f"{P}_BUTTON_START", "START RECORD", "CBF_ButtonStartRecord", color=GREY)
    stop = button(f"{P}_BUTTON_STOP", "STOP RECORD", "CBF_ButtonStopRecord")
    manual = button(f"{P}_BUTTON_MANUAL", "MANUAL RECORD", "CBF_ButtonManualRecord",
                    visible=False)
    trig = button(f"{P}_BUTTON_STARTTRIG", "START TRIG REC", "CBF_ButtonStartTrigRec", color=GREY,
                  visible=False)
    selfile = button(f"{P}_BUTTON_SELFILE", "SELECT FILE", "CBF_ButtonSelRecFile")
    path = textbox(f"{P}_TEXTBOX_FILE", "CBF_DispRecFile", readonly=True, minh=34)
    sensor_id = string(f"{P}_STR_ID", "SENSOR ID", readonly=True)
    # The record time belongs to mode 0 alone: it sits in the mode's group, which
    # then keeps no empty frame in the other modes. The three start buttons share
    # one place, since each mode shows one of them at most.
    return page(P, "Rec", vbox(
        group("MODE", vbox(form(("span", mode), interval, number, colstretch="0,1"),
                           form((days, hours), (minutes, seconds), colstretch="0,1,0,1"),
                           spacing=4)),
        group("FRAMES", form(recorded, running, remaining, colstretch="0,1")),
        grid([(start, 0, 0), (stop, 0, 1), (manual, 0, 0), (trig, 0, 0)], hspacing=GAP,
             vspacing=GAP),
        group("FILE", vbox(selfile, path, form(sensor_id, colstretch="0,1"), spacing=4)),
        stretch_v(),
        margins=(MARGIN,) * 4, spacing=GAP))


def tab_calib():
    P = "TABCALIB"
    cf = [num(f"{P}_NUM_CF{c}", c, cb, 0, 4096, 1024, minw=56)
          for c, cb in (("RED", "CBF_EditCFR"), ("GREEN", "CBF_EditCFG"), ("BLUE", "CBF_EditCFB"))]
    setvalue = num(f"{P}_NUM_SETVALUE", "SET VALUE", "CBF_EditSetValue", 0, 4095, 3000, minw=56)
    maxdelta = num(f"{P}_NUM_MAXDELTA", "MAX DELTA", "CBF_EditMaxDelta", 0, 4095, 2000, minw=56)
    factors = form(*cf, setvalue, maxdelta, colstretch="0,1")
    colors = {"RED": RED, "GREEN": 0x00C000, "BLUE": BLUE}
    raw_rows = []
    for i, c in enumerate(("RED", "GREEN", "BLUE")):
        b = bar(f"{P}_BAR_RAW{c}", c, colors[c], "CBF_DispBarsRAW")
        d = disp(f"{P}_DISP_RAW{c}", None, minw=48)
        raw_rows += [(b.label, i, 0), (b, i, 1), (d, i, 2)]
    rawdelta = disp(f"{P}_DISP_RAWDELTA", "DELTA", "CBF_DispRawDelta", minw=48)
    raw_rows += [(rawdelta.label, 3, 0), (rawdelta, 3, 2)]
    raw = grid(raw_rows, colstretch="0,1,0", vspacing=2)
    raw.margins = (MARGIN, 4, MARGIN, MARGIN)
    cal_rows = []
    for i, c in enumerate(("RED", "GREEN", "BLUE")):
        b = bar(f"{P}_BAR_{c}", c, colors[c], "CBF_DispBars", text=True)
        cal_rows += [(b.label, i, 0), (b, i, 1, 1, 2)]
    temp = disp(f"{P}_DISP_TEMP", "TEMP", "CBF_DispTemp", minw=48)
    cal_rows += [(temp.label, 3, 0), (temp, 3, 2)]
    return page(P, "Calib", vbox(
        group("FACTORS", factors),
        # Right double click on this frame opens the password popup.
        vbox(caption("RAW VALUES"), deco(f"{P}_DECO_CALIBRATE", raw, "CBF_DecoCalibrate1"),
             spacing=2),
        group("CALIBRATED VALUES", grid(cal_rows, colstretch="0,1,0", vspacing=2)),
        grid([
            (button(f"{P}_BUTTON_SENDCF", "SEND CF", "CBF_ButtonSendCF"), 0, 0),
            (button(f"{P}_BUTTON_GETCF", "GET CF", "CBF_ButtonGetCF"), 0, 1),
            (button(f"{P}_BUTTON_CALCCF", "CALC CF", "CBF_ButtonCalcCF", color=GREY), 1, 0),
            (button(f"{P}_BUTTON_SELFCALIB", "SELF CALIB", "CBF_ButtonStartSelfCalibration"), 1, 1),
        ], hspacing=GAP, vspacing=GAP),
        stretch_v(),
        margins=(MARGIN,) * 4, spacing=GAP))


def tab_attr():
    P = "TABATTR"
    labels, colors = teach_row_labels()
    mode = ring(f"{P}_RING_COLORMODE", "MODE", ["Manually", "Automatically"], "CBF_EditSetColor")
    row = num(f"{P}_NUM_ROW", "ROW", "CBF_EditRow", 0, 30, 0, minw=48)
    color = colornum(f"{P}_COLORNUM_COLOR", "COLOR", "CBF_EditColorNumericRow")
    setbtn = button(f"{P}_BUTTON_SET", "SET", "CBF_ButtonSetRowColor")
    attrs = table(f"{P}_TABLE_ATTR", 31, 2, ["ROW SPECIFICATION", ""], None, labels, colors,
                  color_col=1, color_of_row=lambda r: ROW_COLORS[r % 15], col_width=150,
                  widths=(184, 16), no_hscroll=True, text_cols=(1,),
                  text_max=99)
    temp = disp(f"{P}_DISP_TEMP", "TEMP", minw=48)
    return page(P, "Attr", vbox(
        group("ROW COLOR", grid([
            (mode.label, 0, 0), (mode, 0, 1, 1, 3),
            (row.label, 1, 0), (row, 1, 1), (color.label, 1, 2), (color, 1, 3),
            (setbtn, 2, 1, 1, 3),
        ], colstretch="0,1,0,1")),
        attrs,
        grid([
            (button(f"{P}_BUTTON_SAVE", "SAVE", "CBF_ButtonSaveArray"), 0, 0),
            (button(f"{P}_BUTTON_LOAD", "LOAD", "CBF_ButtonGetArray"), 0, 1),
            (button(f"{P}_BUTTON_RESET", "RESET", "CBF_ButtonTableAttrReset"), 0, 2),
        ], hspacing=GAP),
        hbox(temp.label, temp, stretch_h(), spacing=GAP),
        margins=(MARGIN,) * 4, spacing=GAP, stretch="0,1,0,0"))


def tab_scope():
    P = "TABSCOPE"
    trigmode = ring(f"{P}_RING_TRIGMODE", "TRIGGER", ["SINGLE SHOT", "RISING EDGE", "FALLING EDGE",
                                                      "INTERNAL C-No.0", "EXTERNAL IN0"],
                    "CBF_EditTriggerMode")
    recsignal = ring(f"{P}_RING_RECSIGNAL", "SIGNAL", ["RGB", "COORDINATES"],
                     "CBF_EditScopeRecSignal")
    pretrig = num(f"{P}_NUM_PRETRIG", "PRE-TRIGGER", "CBF_EditPreTrigVal", 0, 127, 10,
                  enabled=False)
    triglevel = num(f"{P}_NUM_TRIGLEVEL", "TRIGGER LEVEL", "CBF_EditTriggerLevel", 0, 10000, 2000,
                    enabled=False)
    scanrate = num(f"{P}_NUM_SCANRATE", "SCAN RATE", "CBF_EditScanRate", 1, 65535, 1)
    scanfreq = disp(f"{P}_DISP_SCANFREQ", "SCAN FREQ [Hz]", "CBF_DispScanFreq", precision=2,
                    value="0.00")
    cycletime = disp(f"{P}_DISP_CYCLETIME", "CYCLE TIME [ms]", precision=3, value="0.000")
    return page(P, "Scope", vbox(
        group("ACQUISITION", form(trigmode, recsignal, pretrig, triglevel, scanrate,
                                  colstretch="0,1")),
        group("CYCLE TIME", vbox(
            form(scanfreq, cycletime, colstretch="0,1"),
            button(f"{P}_BUTTON_GETCYCLE", "GET CYCLE TIME", "CBF_ButtonGetCycleTime"),
            spacing=4)),
        grid([(button(f"{P}_BUTTON_SCAN", "SCAN", "CBF_ButtonScan"), 0, 0),
              (button(f"{P}_BUTTON_BREAK", "BREAK SCAN", "CBF_ButtonBreakScan"), 0, 1)],
             hspacing=GAP),
        group("COMMENT", vbox(
            textbox(f"{P}_TEXTBOX_COMMENT", "CBF_EditScopeComment", minh=40),
            button(f"{P}_BUTTON_PRINT", "PRINT", "CBF_ButtonPrintScopeGraph"),
            spacing=4)),
        margins=(MARGIN,) * 4, spacing=GAP, stretch="0,0,0,1"))


def tab_offset():
    P = "TABOFFSET"
    ins = [num(f"{P}_NUM_{c}", c, cb, 0, 4095, 0)
           for c, cb in (("RED", "CBF_EditRedOffset"), ("GREEN", "CBF_EditGreenOffset"),
                         ("BLUE", "CBF_EditBlueOffset"))]
    outs = [disp(f"{P}_DISP_{c}", c, cb)
            for c, cb in (("RED", "CBF_DispRedOffset"), ("GREEN", "CBF_DispGreenOffset"),
                          ("BLUE", "CBF_DispBlueOffset"))]
    return page(P, "Offset", vbox(
        group("OFFSET TO SEND", form(*ins, colstretch="0,1")),
        group("OFFSET MEASURED", form(*outs, colstretch="0,1")),
        grid([
            (button(f"{P}_BUTTON_SEND", "SEND OFFSET", "CBF_ButtonSendOffset"), 0, 0),
            (button(f"{P}_BUTTON_GET", "GET OFFSET", "CBF_ButtonGetOffset"), 0, 1),
            (button(f"{P}_BUTTON_CALC", "CALC OFFSET", "CBF_ButtonCalcOffset"), 1, 0),
            (button(f"{P}_BUTTON_CLOSE", "CLOSE", "CBF_ButtonCloseOffsetCompensation"), 1, 1),
        ], hspacing=GAP, vspacing=GAP),
        stretch_v(),
        margins=(MARGIN,) * 4, spacing=GAP))


# ---------------------------------------------------------------------------
# Panels.

MAIN_W, MAIN_H = 790, 548
CHILD_X, CHILD_Y = 286, 63
CHILD_W, CHILD_H = MAIN_W - CHILD_X, MAIN_H - CHILD_Y     # 504 x 485


def panel(name, title, callback, w, h, layout=None, children=None, margins=(MARGIN,) * 4):
    if layout is not None:
        layout.margins = margins
    return Widget("QWidget", name, [("geometry", rect(0, 0, w, h)), ("windowTitle", title),
                                    ("palette", Palette(Button=GREY))],
                  callback=callback, layout=layout, children=children)


def placed(w, x, y, wd, ht):
    w.props.insert(0, ("geometry", rect(x, y, wd, ht)))
    return w


def mainp():
    P = "MAINP"
    bw, bh, by = 64, 44, 6
    cmd = [("SEND", "F9", "CBF_ButtonSend"), ("GET", "F10", "CBF_ButtonGet"),
           ("GO", "F11", "CBF_ButtonGo"), ("STOP", "F12", "CBF_ButtonStop")]
    children = [placed(button(f"{P}_BUTTON_{t}", f"{t}\n{k}", cb, shortcut=k), 6 + i * (bw + 4),
                       by, bw, bh) for i, (t, k, cb) in enumerate(cmd)]
    # Target and parameter set: two small columns right of the run-time title label, which
    # takes about x 286..610 at 22 pt.
    target = frame(vbox(
        radio(f"{P}_RADIO_RAM", "RAM", "CBF_SelectMem", checked=True),
        radio(f"{P}_RADIO_EEPROM", "EEPROM", "CBF_SelectMem"),
        radio(f"{P}_RADIO_FILE", "FILE", "CBF_SelectMem"), spacing=0))
    paraset = frame(vbox(
        radio(f"{P}_RADIO_PARASET0", "ParaSet0", "CBF_SelectParaSet", checked=True, enabled=False),
        radio(f"{P}_RADIO_PARASET1", "ParaSet1", "CBF_SelectParaSet", enabled=False),
        stretch_v(), spacing=0))
    children.append(placed(target, 614, 2, 80, 58))
    children.append(placed(paraset, 698, 2, 88, 58))
    pages = [tab_comm(), tab_para(), tab_grphold(), tab_teach(), tab_rec(), tab_calib(),
             tab_attr(), tab_scope(), tab_offset()]
    children.append(placed(tabs(f"{P}_TAB", pages, "CBF_TabMain1", west=True, current=1),
                           2, 54, CHILD_X - 4, MAIN_H - 56))
    return panel(P, "COLMIRA3-Rarev V4.2", "CBF_MAINP", MAIN_W, MAIN_H, children=children)


def datap():
    P = "DATAP"
    status = string(f"{P}_STR_STATUS", "STATUS", "CBF_DispStatus", readonly=True)
    comport = disp(f"{P}_DISP_COMPORT", "COM", value="1", minw=32)
    host = string(f"{P}_STR_HOST", "HOST", readonly=True, visible=False, minw=100, maxw=120)
    show_graph = button(f"{P}_BUTTON_SHOWGRAPH", "GRAPH", "CBF_ButtonShowGraph")
    top = hbox(status.label, status, comport.label, comport, host.label, host, show_graph,
               spacing=GAP, stretch="0,1,0,0,0,0,0")

    r, g, b = (disp(f"{P}_DISP_{c}", c, f"CBF_Disp{c}") for c in ("RED", "GREEN", "BLUE"))
    live = colornum(f"{P}_COLORNUM_LIVE", "COLOR", indicator=True, visible=False)
    rgb = group("RGB", form(r, g, b, live, colstretch="0,1"))
    # X Y INT start in X Y INT colours (red and green fields behind the first two).
    x = disp(f"{P}_DISP_X", "X", "CBF_DispX", bg=RED)
    y = disp(f"{P}_DISP_Y", "Y", "CBF_DispY", bg=GREEN)
    i = disp(f"{P}_DISP_INT", "INT", "CBF_DispINT")
    coords = group("COORDINATES", form(x, y, i, colstretch="0,1"))

    deltac = disp(f"{P}_DISP_DELTAC", "delta C", "CBF_DispDeltaC")
    col = disp(f"{P}_DISP_COLOR", "C-No.", "CBF_DispCOL")
    grp = disp(f"{P}_DISP_GROUP", "GROUP", "CBF_DispGroup", visible=False)
    trig = led(f"{P}_LED_TRIG", "LED TRIG", 0x00FF00, 0x000000, "CBF_LedTrig", visible=False)
    outs = [led(f"{P}_LED_OUT{n}", f"OUT{n}", 0xFFFF00, 0x000000, visible=False)
            for n in range(5)]
    center = Set("Qt::AlignHCenter|Qt::AlignVCenter")
    out_cells = []
    for n, o in enumerate(outs):
        out_cells += [(o, 0, n, 1, 1, center), (o.label, 1, n, 1, 1, center)]
    evaluation = group("EVALUATION", vbox(
        grid([(deltac.label, 0, 0), (deltac, 0, 1), (trig.label, 0, 2), (trig, 0, 3),
              (col.label, 1, 0), (col, 1, 1), (grp.label, 2, 0), (grp, 2, 1)],
             colstretch="0,1,0,0"),
        grid(out_cells, hspacing=2, vspacing=0),
        stretch_v(),
        spacing=4, stretch="0,0,1"))

    return panel(P, "Live data", "CBF_DATAP", CHILD_W, CHILD_H, vbox(
        top,
        hbox(rgb, coords, evaluation, spacing=GAP, stretch="1,1,1"),
        tabs(f"{P}_TAB", [tab_rgb(), tab_int(), tab_2d(), tab_3d()], "CBF_TabDataP1", current=3),
        spacing=GAP, stretch="0,0,1"))


def tab_rgb():
    P = "TABRGB"
    chart = strip(f"{P}_STRIP_RGB", "CBF_GraphRGB")
    rows = []
    for c in ("RED", "GREEN", "BLUE"):
        rows.append((disp(f"{P}_DISP_{c}", c, "CBF_DispRGB"),
                     disp(f"{P}_DISP_{c}MIN", "MIN", "CBF_DispMinMaxRGB"),
                     disp(f"{P}_DISP_{c}MAX", "MAX", "CBF_DispMinMaxRGB")))
    return page(P, "RGB", vbox(chart, form(*rows, colstretch="0,1,0,1,0,1"),
                               margins=(MARGIN,) * 4, spacing=GAP, stretch="1,0"))


def tab_int():
    P = "TABINT"
    chart = strip(f"{P}_STRIP_INT", "CBF_GraphINT1", colors=(0x008080, 0xC00000, 0xC00000),
                  names=("INT", "UPPER", "LOWER"))
    return page(P, "INT", vbox(chart, rgb_triple(P, ["CBF_DispRGB"] * 3),
                               margins=(MARGIN,) * 4, spacing=GAP, stretch="1,0"))


def tab_2d():
    P = "TAB2D"
    plane = graph(f"{P}_GRAPH_PLANE", "CBF_Graph2D", (0, 4096), (0, 4096), "X", "Y", "X/Y",
                  cursors=1, minsize=(200, 160))
    intensity = graph(f"{P}_GRAPH_INT", "CBF_Graph2D", (0, 4096), (0, 100), "INT", "", "INT",
                      cursors=1, minsize=(140, 100))
    r, g, b = (disp(f"{P}_DISP_{c}", c, "CBF_DispRGB") for c in ("RED", "GREEN", "BLUE"))
    return page(P, "2D", hbox(plane, vbox(intensity, form(r, g, b, colstretch="0,1"),
                                          spacing=GAP, stretch="1,0"),
                              margins=(MARGIN,) * 4, spacing=GAP, stretch="3,2"))


def tab_3d():
    P = "TAB3D"
    ms = (140, 90)
    xy = graph(f"{P}_GRAPH_XY", "CBF_Graph3D", xlabel="X", ylabel="Y", title="X/Y", cursors=1,
               minsize=ms)
    xint = graph(f"{P}_GRAPH_XINT", "CBF_Graph3D", xlabel="X", ylabel="INT", title="X/INT",
                 cursors=1, minsize=ms)
    yint = graph(f"{P}_GRAPH_YINT", "CBF_Graph3D", xlabel="Y", ylabel="INT", title="Y/INT",
                 cursors=1, minsize=ms)
    chart = strip(f"{P}_STRIP_RGB", "CBF_Graph3D", minsize=ms)
    return page(P, "3D", grid([(xy, 0, 0), (xint, 0, 1), (yint, 1, 0), (chart, 1, 1)],
                              margins=(MARGIN,) * 4, hspacing=GAP, vspacing=GAP,
                              colstretch="1,1", rowstretch="1,1"))


def graphp():
    P = "GRAPHP"
    signals = [("RED", RED, (0, 4096)), ("GREEN", 0x00FF00, (0, 4096)), ("BLUE", BLUE, (0, 4096)),
               ("X", RED, (0, 4096)), ("Y", 0x00FF00, (0, 4096)), ("INT", 0x008080, (0, 4096)),
               ("TEMP", 0x008080, (0, 100))]
    graphs = [graph(f"{P}_GRAPH_{s}", "CBF_PanelGraphGraph", (0, 100), yr, "SAMPLE", s, s,
                    minsize=(240, 160), visible=(s == "RED"),
                    extra_dyn=[("plotColor", Color(c))])
              for s, c, yr in signals]
    sig = ring(f"{P}_RING_SIGNAL", "SIGNAL", [s for s, _, _ in signals], "CBF_EditSignal")
    close = button(f"{P}_BUTTON_CLOSE", "CLOSE", "CBF_ButtonGpClose")
    d = {s: disp(f"{P}_DISP_{s}", s) for s, _, _ in signals}
    values = group("LAST RECORDED FRAME", form((d["RED"], d["GREEN"], d["BLUE"], d["TEMP"]),
                                               (d["X"], d["Y"], d["INT"]),
                                               colstretch="0,1,0,1,0,1,0,1"))
    return panel(P, "Recorded values", "CBF_GRAPHP", CHILD_W, CHILD_H, vbox(
        hbox(sig.label, sig, stretch_h(), close, spacing=GAP),
        # The seven graphs share one place; the SIGNAL ring shows one of them.
        grid([(g, 0, 0) for g in graphs]),
        values,
        spacing=GAP, stretch="0,1,0"))


def teachp1():
    P = "TEACHP1"
    cols = ["RED", "GREEN", "BLUE", "X", "Y", "INT"]
    buttons = hbox(
        button(f"{P}_BUTTON_CAPTURE", "CAPTURE", "CBF_ButtonTP1Capture"),
        button(f"{P}_BUTTON_UNDO", "UNDO", "CBF_ButtonTP1Undo"),
        button(f"{P}_BUTTON_RESET", "RESET", "CBF_ButtonTP1ResetTable", color=GREY),
        button(f"{P}_BUTTON_TEACH", "TEACH", "CBF_ButtonTP1Teach"),
        button(f"{P}_BUTTON_CLOSE", "CLOSE", "CBF_ButtonCloseTeachPanel"),
        spacing=GAP)
    widths = (44, 50, 44, 44, 44, 44)
    values = table(f"{P}_TABLE_VALUES", 100, 6, cols, "CBF_GridTP1Values", col_width=44,
                   minsize=(200, 120), widths=widths)
    mean = table(f"{P}_TABLE_MEAN", 1, 6, cols, "CBF_GridTP1Mean", row_labels=["MEAN"],
                 cells=lambda r, c: "0", col_width=44, widths=widths)
    mean.attrs.append(("verticalHeaderVisible", False))
    mean.props = [("minimumSize", size(0, 46)), ("maximumSize", size(16777215, 46)),
                  ("verticalScrollBarPolicy", Enum("Qt::ScrollBarAlwaysOff")),
                  ("horizontalScrollBarPolicy", Enum("Qt::ScrollBarAlwaysOff"))] + mean.props

    r, g, b = (disp(f"{P}_DISP_{c}", c) for c in ("RED", "GREEN", "BLUE"))
    counter = disp(f"{P}_DISP_COUNTER", "COUNT", "CBF_DispTP1Counter")
    dxy = disp(f"{P}_DISP_DELTAXY", "d (X/Y)", "CBF_DispTP1MaxDeltaXY")
    dint = disp(f"{P}_DISP_DELTAINT", "d INT", "CBF_DispTP1MaxDeltaInt")
    ctowith = ring(f"{P}_RING_CTOWITH", "TEACH CTO WITH",
                   ["VALUE CTO", "d (X/Y)", "d (X/Y)+VALUE CTO", "ROW VALUE"],
                   "CBF_EditTP1TeachCtoWith")
    cto = num(f"{P}_NUM_CTO", "VALUE CTO", "CBF_EditTP1ValueCto", 0, 65535, 200, minw=56)
    itowith = ring(f"{P}_RING_ITOWITH", "TEACH ITO WITH",
                   ["VALUE ITO", "d INT", "d INT+VALUE ITO", "ROW VALUE"],
                   "CBF_EditTP1TeachItoWith")
    ito = num(f"{P}_NUM_ITO", "VALUE ITO", "CBF_EditTP1ValueIto", 0, 65535, 200, minw=56)
    tolerance = grid([
        (ctowith.label, 0, 0, 1, 2), (ctowith, 1, 0, 1, 2),
        (cto.label, 2, 0), (cto, 2, 1),
        (itowith.label, 3, 0, 1, 2), (itowith, 4, 0, 1, 2),
        (ito.label, 5, 0), (ito, 5, 1),
    ], colstretch="0,1")
    side = vbox(
        group("LIVE", form(r, g, b, colstretch="0,1")),
        group("CAPTURED", form(counter, dxy, dint, colstretch="0,1")),
        group("TOLERANCE", tolerance),
        stretch_v(),
        spacing=GAP)
    return panel(P, "Teach mean values", "CBF_TEACHP1", CHILD_W, CHILD_H, vbox(
        buttons,
        hbox(vbox(values, group("MEAN", vbox(mean)), spacing=GAP, stretch="1,0"), side,
             spacing=GAP, stretch="1,0"),
        spacing=GAP, stretch="0,1"))


def teachp2():
    P = "TEACHP2"
    snap = [("cursorSnap", True)]
    ms = (150, 130)
    xy = graph(f"{P}_GRAPH_XY", "CBF_GraphXYTP2", xlabel="X", ylabel="Y", title="X/Y", cursors=1,
               minsize=ms, extra_dyn=snap)
    xint = graph(f"{P}_GRAPH_XINT", "CBF_GraphXIntTP2", xlabel="X", ylabel="INT", title="X/INT",
                 cursors=1, minsize=ms, extra_dyn=snap)
    yint = graph(f"{P}_GRAPH_YINT", "CBF_GraphYIntTP2", xlabel="Y", ylabel="INT", title="Y/INT",
                 cursors=1, minsize=ms, extra_dyn=snap)
    counter = disp(f"{P}_DISP_COUNTER", "POINTS", "CBF_DispTP2Counter")
    x = disp(f"{P}_DISP_X", "X", bg=RED)
    y = disp(f"{P}_DISP_Y", "Y", bg=GREEN)
    i = disp(f"{P}_DISP_INT", "INT")
    side = vbox(
        group("CURSOR", form(x, y, i, colstretch="0,1")),
        group("RECORDING", form(counter, colstretch="0,1")),
        stretch_v(),
        spacing=GAP)
    buttons = hbox(
        button(f"{P}_BUTTON_START", "START", "CBF_ButtonTP2Start"),
        button(f"{P}_BUTTON_RESET", "RESET", "CBF_ButtonTP2Reset"),
        button(f"{P}_BUTTON_TEACH", "TEACH", "CBF_ButtonTP2Teach"),
        button(f"{P}_BUTTON_CLOSE", "CLOSE", "CBF_ButtonCloseTeachPanel"),
        spacing=GAP)
    return panel(P, "Teach recorded values", "CBF_TEACHP2", CHILD_W, CHILD_H, vbox(
        buttons,
        grid([(xy, 0, 0), (xint, 0, 1), (yint, 1, 0), (side, 1, 1)], hspacing=GAP, vspacing=GAP,
             colstretch="1,1", rowstretch="1,1"),
        spacing=GAP, stretch="0,1"))


def scopep():
    P = "SCOPEP"
    analog = graph(f"{P}_GRAPH_ANALOG", "CBF_GraphScope", (0, 128), (0, 4100), "SAMPLE", "DIGITS",
                   cursors=2, minsize=(300, 180),
                   extra_dyn=[("ctrlDragZoom", True), ("movableCursors", True)])
    # Six step traces, each on its own pair of levels, named at the middle of the pair:
    # OUT0..OUT4 in bits 0..4, the trigger input IN0 in bit 5 on top.
    ticks = ";".join(f"{lo + 0.5}={name}" for lo, name in
                     ((0, "OUT4"), (2, "OUT3"), (4, "OUT2"), (6, "OUT1"), (8, "OUT0"), (10, "IN0")))
    digital = graph(f"{P}_GRAPH_DIGITAL", None, (0, 128), (-0.5, 11.5), "SAMPLE", "",
                    cursors=2, minsize=(300, 170), extra_dyn=[("yTickLabels", ticks)])
    sig = ring(f"{P}_RING_SIGNAL", "SIGNAL", ["ALL", "RED", "GREEN", "BLUE"],
               "CBF_EditScopeSignal")
    dx = disp(f"{P}_DISP_DELTAX", "dX [ms]", "CBF_DispDeltaX", precision=3, value="0.000",
              minw=84)
    dy = disp(f"{P}_DISP_DELTAY", "dY", "CBF_DispDeltaY", minw=48)
    running = textmsg(f"{P}_TEXTMSG_SCANNING", "SCAN RUNNING - WAITING FOR DATA",
                      props=[("styleSheet", "color: #ff0000; font-weight: bold;")], visible=False)
    return panel(P, "Scope", "CBF_SCOPEP", CHILD_W, CHILD_H, vbox(
        hbox(sig.label, sig, dx.label, dx, dy.label, dy, stretch_h(),
             button(f"{P}_BUTTON_ZOOM11", "ZOOM 1:1", "CBF_ButtonZoom11"),
             button(f"{P}_BUTTON_CLOSE", "CLOSE", "CBF_ButtonCloseSP"),
             spacing=GAP),
        running,
        analog,
        digital,
        spacing=GAP, stretch="0,0,3,2"))


def bigp(name, title, callback, what, caption_text):
    """A window with the sensor ID and one number in large digits, readable from afar."""
    big = disp(f"{name}_DISP_{what}", caption_text, value="0", minw=120,
               font=Font(pointsize=64, bold=True), align=Set("Qt::AlignCenter"))
    big.label.props.insert(1, ("alignment", ALIGN_NUM))
    ident = textmsg(f"{name}_TEXTMSG_ID", "")
    return panel(name, title, callback, 260, 170, vbox(
        hbox(ident, big.label, spacing=GAP, stretch="1,0"),
        big, spacing=4, stretch="0,1"))


def passwordp():
    pw = string("PASSWORDP_STR_PASSWORD", "PASSWORD", "CBF_StringEnterPW", maxlen=20,
                password=True)
    return panel("PASSWORDP", "PASSWORD", "CBF_PASSWORDP", 260, 48,
                 hbox(pw.label, pw, spacing=GAP, stretch="0,1"), margins=(10, 10, 10, 10))


PANEL_IDS = [("MAINP", 5), ("DATAP", 2), ("GRAPHP", 3), ("TEACHP1", 8), ("TEACHP2", 9),
             ("SCOPEP", 7), ("COLBIGP", 1), ("GRPBIGP", 4), ("PASSWORDP", 6)]
PAGE_IDS = {"TABCOMM": 20, "TABPARA": 21, "TABGRPHOLD": 22, "TABTEACH": 23, "TABREC": 24,
            "TABCALIB": 25, "TABATTR": 26, "TABSCOPE": 27, "TABOFFSET": 28,
            "TABRGB": 30, "TABINT": 31, "TAB2D": 32, "TAB3D": 33}


# Where the windows open on the screen, as long as no stored placement says
# otherwise (the position inside the root only tiles them for Designer). The
# password popup opens centred over the main window.
SCREEN_POS = {"MAINP": (10, 40), "COLBIGP": (820, 60), "GRPBIGP": (820, 270)}


def build_panels():
    panels = [mainp(), datap(), graphp(), teachp1(), teachp2(), scopep(),
              bigp("COLBIGP", "C-No.", "CBF_COLBIGP", "COLOR", "C-No."),
              bigp("GRPBIGP", "GROUP", "CBF_GRPBIGP", "GROUP", "GROUP"),
              passwordp()]
    for p in panels:
        if p.name in SCREEN_POS:
            p.dyn.append(("screenPos", "%d,%d" % SCREEN_POS[p.name]))
    return panels


def place_panels(panels):
    """Tiles the panels inside the root: MAINP and the three small windows in the first row,
    the five child panels in the second."""
    by_name = {p.name: p for p in panels}
    gap = 10
    x = 0
    for name in ("MAINP", "COLBIGP", "GRPBIGP", "PASSWORDP"):
        geo = dict(by_name[name].props)["geometry"]
        by_name[name].props[0] = ("geometry", rect(x, 0, geo[2], geo[3]))
        x += geo[2] + gap
    width = x - gap
    x = 0
    for name in ("DATAP", "GRAPHP", "TEACHP1", "TEACHP2", "SCOPEP"):
        geo = dict(by_name[name].props)["geometry"]
        by_name[name].props[0] = ("geometry", rect(x, MAIN_H + gap, geo[2], geo[3]))
        x += geo[2] + gap
    return max(width, x - gap), MAIN_H + gap + CHILD_H


def build():
    panels = build_panels()
    return panels, writer.assign_ids(panels, PAGE_IDS)


def uir_text(panels):
    return writer.uir_text(panels, place_panels(panels))


def header_text(panels, ids):
    return writer.header_text(panels, ids, PANEL_IDS, PAGE_IDS)


def read_waiting():
    """The names on the waiting list, one a line; blank lines and # comments are skipped."""
    with open(WAITING_PATH, encoding="utf-8") as f:
        return [ln.strip() for ln in f if ln.strip() and not ln.lstrip().startswith("#")]


def callback_outputs(panels):
    panel_cbs, ctrl_cbs = writer.callback_names(panels)
    waiting = read_waiting()
    unknown = sorted(set(waiting) - set(panel_cbs) - set(ctrl_cbs))
    if unknown:
        raise SystemExit(f"{os.path.relpath(WAITING_PATH)} names callbacks the layout does not use: "
                         + " ".join(unknown))
    return [(CALLBACKS_HEADER_PATH, writer.callbacks_header_text(panel_cbs, ctrl_cbs)),
            (CALLBACKS_TABLE_PATH, writer.callbacks_table_text(panel_cbs, ctrl_cbs, set(waiting)))]


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--check", action="store_true",
                    help="exit 1 if the written files differ from what would be written")
    args = ap.parse_args()
    panels, ids = build()
    outputs = [(UIR_PATH, uir_text(panels)), (HEADER_PATH, header_text(panels, ids))]
    outputs += callback_outputs(panels)
    stale = []
    for path, text in outputs:
        try:
            with open(path, encoding="utf-8") as f:
                current = f.read()
        except FileNotFoundError:
            current = None
        if current != text:
            stale.append(path)
            if not args.check:
                with open(path, "w", encoding="utf-8", newline="\n") as f:
                    f.write(text)
    if args.check:
        for path in stale:
            print(f"{os.path.relpath(path)} is out of date: run python3 layout/make_uir.py",
                  file=sys.stderr)
        return 1 if stale else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
