"""Control kinds, layout helpers and the shared look from which make_uir.py builds the panels.
Each kind helper returns a widget node with the properties the program reads at load; a labelled
control carries its buddy label, which the layout helpers place beside it."""

from uir_writer import (CStr, Color, Enum, Layout, Palette, Set, Widget, brush_xml, prop_xml,
                        size)

# ---------------------------------------------------------------------------
# Look shared by every panel.

GREY = 0xE0E0E0            # light grey: rest colour of buttons the program recolours
WHITE = 0xFFFFFF
RED, GREEN, BLUE = 0xFF0000, 0x00FF00, 0x0000FF
ALIGN_NUM = Set("Qt::AlignRight|Qt::AlignTrailing|Qt::AlignVCenter")
ALIGN_CELL = Set("AlignRight|AlignTrailing|AlignVCenter")
MARGIN = 6                 # panel and group margins
GAP = 6                    # spacing between groups and between controls in a row
ROW_GAP = 4                # spacing between form rows


def label_for(text, ctrl_name):
    return Widget("QLabel", "lbl_" + ctrl_name,
                  props=[("text", text), ("buddy", CStr(ctrl_name))])


def state_props(enabled=True, visible=True):
    out = []
    if not enabled:
        out.append(("enabled", False))
    if not visible:
        out.append(("visible", False))
    return out


def with_label(w, label):
    if label is not None:
        w.label = label_for(label, w.name)
    return w


# ---------------------------------------------------------------------------
# Control kinds.


def button(name, text, cb=None, shortcut=None, color=None, enabled=True, visible=True,
           minw=60):
    props = [("text", text)]
    if minw:
        props.append(("minimumSize", size(minw, 0)))
    if shortcut:
        props.append(("shortcut", shortcut))
    if color is not None:
        props.append(("palette", Palette(Button=color)))
    props += state_props(enabled, visible)
    return Widget("QPushButton", name, props, callback=cb, ctrl=True)


def num(name, label, cb=None, lo=0, hi=65535, value=0, enabled=True, visible=True, minw=64):
    props = [("minimumSize", size(minw, 0)), ("alignment", ALIGN_NUM)]
    props += [("minimum", lo), ("maximum", hi), ("value", value)]
    props += state_props(enabled, visible)
    return with_label(Widget("QSpinBox", name, props, callback=cb, ctrl=True), label)


def dnum(name, label, cb=None, lo=0.0, hi=1.0, value=0.0, decimals=2, step=1.0, minw=64):
    props = [("minimumSize", size(minw, 0)), ("alignment", ALIGN_NUM), ("decimals", decimals),
             ("minimum", lo), ("maximum", hi), ("singleStep", step), ("value", value)]
    return with_label(Widget("QDoubleSpinBox", name, props, callback=cb, ctrl=True), label)


def disp(name, label, cb=None, precision=0, value="0", bg=None, visible=True, minw=56,
         font=None, align=ALIGN_NUM, frame=True):
    props = [("minimumSize", size(minw, 22))]
    if font:
        props.append(("font", font))
    props.append(("autoFillBackground", True))
    props.append(("palette", Palette(Window=WHITE if bg is None else bg)))
    if frame:
        props += [("frameShape", Enum("QFrame::StyledPanel")),
                  ("frameShadow", Enum("QFrame::Sunken"))]
    props += [("text", value), ("alignment", align), ("indent", 4)]
    props += state_props(True, visible)
    dyn = [("precision", precision)] if precision else []
    return with_label(Widget("UiNumDisplay", name, props, dyn, callback=cb, ctrl=True), label)


def ring(name, label, items, cb=None, value=0, values=None, enabled=True, visible=True):
    """Non-editable combo box; `values` gives the item values when they are not the indices."""
    if values is not None:
        assert len(values) == len(items)
        index = values.index(value)
    else:
        index = value
    # Rings may shrink below their longest item when a large system font leaves no room; the
    # drop-down list still shows the items whole.
    props = [("sizeAdjustPolicy", Enum("QComboBox::AdjustToMinimumContentsLengthWithIcon")),
             ("minimumContentsLength", 3)]
    props.append(("currentIndex", index))
    props += state_props(enabled, visible)
    dyn = [("itemValues", ",".join(str(v) for v in values))] if values is not None else []
    w = Widget("QComboBox", name, props, dyn, callback=cb, ctrl=True,
               extra=lambda ind: sum((["%s<item>" % ind] + prop_xml("text", t, ind + " ")
                                      + ["%s</item>" % ind] for t in items), []))
    return with_label(w, label)


def combo(name, label, cb=None, visible=True):
    props = [("editable", True), ("insertPolicy", Enum("QComboBox::NoInsert")),
             ("maxCount", 10)] + state_props(True, visible)
    return with_label(Widget("QComboBox", name, props, callback=cb, ctrl=True), label)


def string(name, label, cb=None, text="", readonly=False, maxlen=None, visible=True,
           password=False, minw=None, maxw=None):
    props = []
    if minw:
        props.append(("minimumSize", size(minw, 0)))
    if maxw:
        props.append(("maximumSize", size(maxw, 16777215)))
    if text:
        props.append(("text", text))
    if maxlen:
        props.append(("maxLength", maxlen))
    if password:
        props.append(("echoMode", Enum("QLineEdit::Password")))
    if readonly:
        props += [("focusPolicy", Enum("Qt::NoFocus")), ("readOnly", True)]
    props += state_props(True, visible)
    return with_label(Widget("QLineEdit", name, props, callback=cb, ctrl=True), label)


def textbox(name, cb=None, readonly=False, minh=None):
    props = []
    if minh:
        props.append(("minimumSize", size(0, minh)))
    if readonly:
        props.append(("readOnly", True))
    return Widget("QPlainTextEdit", name, props, callback=cb, ctrl=True)


def textmsg(name, text, cb=None, props=None, visible=True):
    return Widget("QLabel", name, [("text", text)] + list(props or []) + state_props(True, visible),
                  callback=cb, ctrl=True)


def radio(name, text, cb=None, checked=False, enabled=True):
    props = [("text", text), ("autoExclusive", False)]
    if checked:
        props.append(("checked", True))
    props += state_props(enabled)
    return Widget("QRadioButton", name, props, callback=cb, ctrl=True)


def switch(name, text, cb=None, checked=False):
    props = [("text", text)] + ([("checked", True)] if checked else [])
    return Widget("QCheckBox", name, props, callback=cb, ctrl=True)


def led(name, label, on, off=0x000000, cb=None, visible=True):
    props = [("minimumSize", size(16, 16)), ("maximumSize", size(16, 16))]
    props += state_props(True, visible)
    dyn = [("onColor", Color(on)), ("offColor", Color(off))]
    return with_label(Widget("UiLed", name, props, dyn, callback=cb, ctrl=True), label)


def slide(name, label, lo, hi, value, cb=None):
    dyn = [("minimum", lo), ("maximum", hi), ("value", value)]
    return with_label(Widget("UiSlide", name, [("minimumSize", size(120, 22))], dyn,
                             callback=cb, ctrl=True), label)


def colornum(name, label, cb=None, indicator=False, visible=True):
    props = [("minimumSize", size(48, 22))] + state_props(True, visible)
    return with_label(Widget("UiColorNumeric", name, props, [("indicator", indicator)],
                             callback=cb, ctrl=True), label)


def bar(name, label, color, cb=None, hi=4096, text=False):
    props = [("minimumSize", size(80, 18)), ("maximum", hi), ("value", 0),
             ("textVisible", text)]
    if text:
        props += [("alignment", Set("Qt::AlignCenter")), ("format", "%v")]
    props.append(("palette", Palette(Highlight=color)))
    return with_label(Widget("QProgressBar", name, props, callback=cb, ctrl=True), label)


def deco(name, layout, cb=None):
    props = [("frameShape", Enum("QFrame::StyledPanel")), ("frameShadow", Enum("QFrame::Sunken"))]
    return Widget("QFrame", name, props, callback=cb, ctrl=True, layout=layout)


def graph(name, cb=None, x=(0.0, 4096.0), y=(0.0, 4096.0), xlabel="", ylabel="", title="",
          cursors=0, minsize=(160, 120), visible=True, extra_dyn=None):
    dyn = [("xMin", float(x[0])), ("xMax", float(x[1])), ("yMin", float(y[0])),
           ("yMax", float(y[1])), ("xLabel", xlabel), ("yLabel", ylabel), ("title", title),
           ("cursors", cursors)] + list(extra_dyn or [])
    props = [("minimumSize", size(*minsize))] + state_props(True, visible)
    return Widget("UiGraph", name, props, dyn, callback=cb, ctrl=True)


def strip(name, cb=None, y=(0.0, 4096.0), colors=(RED, GREEN, BLUE), names=("RED", "GREEN", "BLUE"),
          minsize=(160, 120)):
    dyn = [("pointsPerScreen", 101), ("yMin", float(y[0])), ("yMax", float(y[1])),
           ("traceColors", ",".join("#%06x" % c for c in colors)), ("traceNames", ",".join(names))]
    return Widget("UiStripChart", name, [("minimumSize", size(*minsize))], dyn, callback=cb,
                  ctrl=True)


def table(name, rows, cols, captions, cb=None, row_labels=None, row_label_colors=None,
          cells=None, color_col=None, color_of_row=None, col_width=40, row_height=20,
          minsize=None, widths=None, no_hscroll=False, text_cols=None, text_max=None):
    """QTableWidget. `cells(r, c)` gives the start text of value cells (None: no item);
    `color_col` is the index of the non-editable row-colour column, `color_of_row(r)` its colour.
    `widths` become the dynamic property columnWidths, which the program applies at load
    (Designer's header attributes know only one width for all columns). `text_max` limits
    what can be typed into a cell of the `text_cols`."""
    props = []
    if minsize:
        props.append(("minimumSize", size(*minsize)))
    if no_hscroll:
        props.append(("horizontalScrollBarPolicy", Enum("Qt::ScrollBarAlwaysOff")))
    props += [("editTriggers", Set("QAbstractItemView::DoubleClicked|"
                                   "QAbstractItemView::EditKeyPressed")),
              ("rowCount", rows), ("columnCount", cols)]
    attrs = [("horizontalHeaderDefaultSectionSize", col_width),
             ("horizontalHeaderMinimumSectionSize", 16),
             ("horizontalHeaderStretchLastSection", False),
             ("verticalHeaderDefaultSectionSize", row_height),
             ("verticalHeaderMinimumSectionSize", 16)]

    def extra(ind):
        out = []
        for r in range(rows if row_labels else 0):
            out.append(f"{ind}<row>")
            out += prop_xml("text", row_labels[r], ind + " ")
            if row_label_colors:
                out.append(f'{ind} <property name="foreground">')
                out += brush_xml(row_label_colors[r], ind + "  ")
                out.append(f"{ind} </property>")
            out.append(f"{ind}</row>")
        for c in range(cols):
            out.append(f"{ind}<column>")
            out += prop_xml("text", captions[c], ind + " ")
            out.append(f"{ind}</column>")
        for r in range(rows):
            for c in range(cols):
                if c == color_col:
                    colr = color_of_row(r)
                    out.append(f'{ind}<item row="{r}" column="{c}">')
                    out.append(f'{ind} <property name="background">')
                    out += brush_xml(colr, ind + "  ")
                    out.append(f"{ind} </property>")
                    out += prop_xml("flags", Set("ItemIsEnabled"), ind + " ")
                    out.append(f"{ind}</item>")
                    continue
                text = cells(r, c) if cells else None
                if text is None:
                    continue
                out.append(f'{ind}<item row="{r}" column="{c}">')
                out += prop_xml("text", text, ind + " ")
                out += prop_xml("textAlignment", ALIGN_CELL, ind + " ")
                out.append(f"{ind}</item>")
        return out

    dyn = [("columnWidths", ",".join(str(w) for w in widths))] if widths else []
    # Columns of free text; every other value column holds 16-bit words.
    if text_cols:
        dyn.append(("textColumns", ",".join(str(c) for c in text_cols)))
    if text_max:
        dyn.append(("textMaxLength", text_max))
    return Widget("QTableWidget", name, props, dyn, callback=cb, ctrl=True, attrs=attrs,
                  extra=extra)


def tabs(name, pages, cb=None, west=False, current=0):
    props = []
    if west:
        props.append(("tabPosition", Enum("QTabWidget::West")))
    props.append(("currentIndex", current))
    return Widget("QTabWidget", name, props, callback=cb, ctrl=True, children=pages)


def page(name, title, layout):
    return Widget("QWidget", name, attrs=[("title", title)], layout=layout)


# ---------------------------------------------------------------------------
# Layout helpers.


def vbox(*items, margins=(0, 0, 0, 0), spacing=GAP, stretch=None):
    return Layout("QVBoxLayout", [(i, None, None, 1, 1, None) for i in items], margins, spacing,
                  stretch=stretch)


def hbox(*items, margins=(0, 0, 0, 0), spacing=GAP, stretch=None):
    return Layout("QHBoxLayout", [(i, None, None, 1, 1, None) for i in items], margins, spacing,
                  stretch=stretch)


def grid(cells, margins=(0, 0, 0, 0), hspacing=GAP, vspacing=ROW_GAP, colstretch=None,
         rowstretch=None):
    """cells: list of (node, row, col[, rowspan, colspan[, alignment]])."""
    items = []
    for c in cells:
        node, r, col = c[0], c[1], c[2]
        rs, cs = (c[3], c[4]) if len(c) > 3 else (1, 1)
        al = c[5] if len(c) > 5 else None
        items.append((node, r, col, rs, cs, al))
    return Layout("QGridLayout", items, margins, hspacing=hspacing, vspacing=vspacing,
                  colstretch=colstretch, rowstretch=rowstretch)


def form(*rows, colstretch=None, vspacing=ROW_GAP):
    """Rows of labelled controls. A row is a control (label | control), a tuple of controls
    side by side (label | control | label | control ...), or ("span", widget) for a widget
    across the whole row. None leaves a cell empty."""
    cells = []
    ncols = max(2 * len(r) if isinstance(r, tuple) and r[0] != "span" else 2 for r in rows)
    for r, row in enumerate(rows):
        if isinstance(row, tuple) and row[0] == "span":
            cells.append((row[1], r, 0, 1, ncols))
            continue
        ctrls = row if isinstance(row, tuple) else (row,)
        for i, ctrl in enumerate(ctrls):
            if ctrl is None:
                continue
            if ctrl.label is not None:
                cells.append((ctrl.label, r, 2 * i))
                cells.append((ctrl, r, 2 * i + 1))
            else:
                cells.append((ctrl, r, 2 * i, 1, 2))
    return grid(cells, colstretch=colstretch, vspacing=vspacing)


def group(title, layout):
    layout.margins = (MARGIN, 2, MARGIN, 5)
    return Widget("QGroupBox", None, [("title", title)], layout=layout)


def frame(layout):
    layout.margins = (4, 2, 4, 2)
    return Widget("QFrame", None, [("frameShape", Enum("QFrame::StyledPanel")),
                                   ("frameShadow", Enum("QFrame::Sunken"))], layout=layout)


def caption(text, props=None):
    return Widget("QLabel", None, [("text", text)] + list(props or []))


def rgb_triple(prefix, cbs):
    """RED, GREEN, BLUE displays side by side, as each live page shows them."""
    r, g, b = (disp(f"{prefix}_DISP_{c}", c, cb) for c, cb in zip(("RED", "GREEN", "BLUE"), cbs))
    return form((r, g, b), colstretch="0,1,0,1,0,1")
