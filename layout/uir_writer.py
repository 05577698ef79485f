"""Designer XML and id-header writing for the layout generator: typed property values, the
widget/layout tree that make_uir.py describes the panels in, naming of the unnamed nodes,
id assignment per panel or tab page, and the two output texts."""

from xml.sax.saxutils import escape

# ---------------------------------------------------------------------------
# Typed property values (the Designer XML needs to know the type of each one).


class Enum(str):
    pass


class Set(str):
    pass


class CStr(str):
    pass


class Rect(tuple):
    pass


class Size(tuple):
    pass


class Color(int):
    pass


class Font(dict):
    pass


class Palette(dict):
    """Colour role -> 0xRRGGBB, applied to the active, inactive and disabled groups."""


def rect(x, y, w, h):
    return Rect((x, y, w, h))


def size(w, h):
    return Size((w, h))


def color_xml(c, ind):
    return (f'{ind}<color alpha="255"><red>{(c >> 16) & 255}</red>'
            f'<green>{(c >> 8) & 255}</green><blue>{c & 255}</blue></color>')


def brush_xml(c, ind):
    return [f'{ind}<brush brushstyle="SolidPattern">', color_xml(c, ind + " "), f"{ind}</brush>"]


def value_xml(v, ind):
    """XML lines of one property value."""
    if isinstance(v, bool):
        return [f"{ind}<bool>{'true' if v else 'false'}</bool>"]
    if isinstance(v, Color):
        return [color_xml(v, ind)]
    if isinstance(v, int):
        return [f"{ind}<number>{v}</number>"]
    if isinstance(v, float):
        return [f"{ind}<double>{v!r}</double>"]
    if isinstance(v, Enum):
        return [f"{ind}<enum>{v}</enum>"]
    if isinstance(v, Set):
        return [f"{ind}<set>{v}</set>"]
    if isinstance(v, CStr):
        return [f"{ind}<cstring>{escape(v)}</cstring>"]
    if isinstance(v, str):
        return [f"{ind}<string>{escape(v)}</string>"]
    if isinstance(v, Rect):
        x, y, w, h = v
        return [f"{ind}<rect><x>{x}</x><y>{y}</y><width>{w}</width><height>{h}</height></rect>"]
    if isinstance(v, Size):
        return [f"{ind}<size><width>{v[0]}</width><height>{v[1]}</height></size>"]
    if isinstance(v, Font):
        inner = "".join(f"<{k}>{str(x).lower() if isinstance(x, bool) else x}</{k}>"
                        for k, x in v.items())
        return [f"{ind}<font>{inner}</font>"]
    if isinstance(v, Palette):
        out = [f"{ind}<palette>"]
        for group in ("active", "inactive", "disabled"):
            out.append(f"{ind} <{group}>")
            for role, c in v.items():
                out.append(f'{ind}  <colorrole role="{role}">')
                out += brush_xml(c, ind + "   ")
                out.append(f"{ind}  </colorrole>")
            out.append(f"{ind} </{group}>")
        out.append(f"{ind}</palette>")
        return out
    raise TypeError(f"no XML form for {v!r}")


def prop_xml(name, v, ind, stdset=True):
    head = f'{ind}<property name="{name}"' + ("" if stdset else ' stdset="0"') + ">"
    body = value_xml(v, ind + " ")
    if len(body) == 1:
        return [head + body[0].strip() + "</property>"]
    return [head] + body + [f"{ind}</property>"]


# ---------------------------------------------------------------------------
# The tree: widgets, layouts, layout items.


class Widget:
    def __init__(self, cls, name=None, props=None, dyn=None, callback=None, children=None,
                 layout=None, attrs=None, extra=None, ctrl=False, label=None):
        self.cls = cls
        self.name = name
        self.props = list(props or [])   # (name, value) in output order
        self.dyn = list(dyn or [])       # dynamic properties, stdset="0"
        if callback:
            self.dyn.insert(0, ("callback", callback))
        self.children = list(children or [])  # absolutely placed children
        self.layout = layout
        self.attrs = list(attrs or [])   # <attribute> elements (tab titles, header sizes)
        self.extra = extra               # function(ind) -> lines (items, rows, columns)
        self.ctrl = ctrl                 # addressed by the program: gets an id
        self.label = label               # buddy QLabel for labelled controls


class Layout:
    def __init__(self, cls, items, margins=None, spacing=None, stretch=None, rowstretch=None,
                 colstretch=None, hspacing=None, vspacing=None):
        self.cls = cls
        self.items = items   # list of (node, row, col, rowspan, colspan, alignment)
        self.margins = margins
        self.spacing = spacing
        self.hspacing = hspacing
        self.vspacing = vspacing
        self.stretch = stretch
        self.rowstretch = rowstretch
        self.colstretch = colstretch
        self.name = None


class Spacer:
    """An expanding spacer: takes what its layout has left over."""

    def __init__(self, vertical):
        self.vertical = vertical
        self.name = None


def stretch_v():
    return Spacer(True)


def stretch_h():
    return Spacer(False)


# ---------------------------------------------------------------------------
# Naming of unnamed nodes, id assignment and output.

CLASS_TAGS = {"QGroupBox": "group", "QFrame": "frame", "QLabel": "label", "QWidget": "widget"}


class Namer:
    def __init__(self):
        self.counts = {}
        self.used = set()

    def fresh(self, prefix, tag):
        key = (prefix, tag)
        self.counts[key] = self.counts.get(key, 0) + 1
        return f"{prefix.lower()}_{tag}{self.counts[key]}"

    def claim(self, name):
        if name in self.used:
            raise SystemExit(f"duplicate object name {name}")
        self.used.add(name)


def layout_children(layout):
    return [it[0] for it in layout.items]


def walk_assign(node, panel, owner, namer, ids, page_names):
    """Names unnamed nodes and collects addressed controls per owner (panel or tab page)."""
    if isinstance(node, Widget):
        if node.name is None:
            node.name = namer.fresh(panel, CLASS_TAGS.get(node.cls, "w"))
        namer.claim(node.name)
        if node.ctrl:
            ids.setdefault(owner, []).append(node.name)
        for child in node.children:
            child_owner = child.name if child.name in page_names else owner
            walk_assign(child, panel, child_owner, namer, ids, page_names)
        if node.layout is not None:
            walk_assign(node.layout, panel, owner, namer, ids, page_names)
    elif isinstance(node, Layout):
        tag = {"QVBoxLayout": "vbox", "QHBoxLayout": "hbox", "QGridLayout": "grid"}[node.cls]
        node.name = namer.fresh(panel, tag)
        namer.claim(node.name)
        for child in layout_children(node):
            walk_assign(child, panel, owner, namer, ids, page_names)
    elif isinstance(node, Spacer):
        node.name = namer.fresh(panel, "spacer")
        namer.claim(node.name)


def widget_xml(w, ind):
    out = [f'{ind}<widget class="{w.cls}" name="{w.name}">']
    for name, v in w.attrs:
        out.append(f'{ind} <attribute name="{name}">')
        out += value_xml(v, ind + "  ")
        out.append(f"{ind} </attribute>")
    for name, v in w.props:
        out += prop_xml(name, v, ind + " ")
    for name, v in w.dyn:
        out += prop_xml(name, v, ind + " ", stdset=False)
    if w.extra:
        out += w.extra(ind + " ")
    if w.layout is not None:
        out += layout_xml(w.layout, ind + " ")
    for child in w.children:
        out += widget_xml(child, ind + " ")
    out.append(f"{ind}</widget>")
    return out


def layout_xml(lay, ind):
    attrs = ""
    if lay.stretch:
        attrs += f' stretch="{lay.stretch}"'
    if lay.rowstretch:
        attrs += f' rowstretch="{lay.rowstretch}"'
    if lay.colstretch:
        attrs += f' columnstretch="{lay.colstretch}"'
    out = [f'{ind}<layout class="{lay.cls}" name="{lay.name}"{attrs}>']
    if lay.spacing is not None:
        out += prop_xml("spacing", lay.spacing, ind + " ")
    if lay.hspacing is not None:
        out += prop_xml("horizontalSpacing", lay.hspacing, ind + " ")
    if lay.vspacing is not None:
        out += prop_xml("verticalSpacing", lay.vspacing, ind + " ")
    if lay.margins is not None:
        for side, m in zip(("left", "top", "right", "bottom"), lay.margins):
            out += prop_xml(f"{side}Margin", m, ind + " ")
    for node, r, c, rs, cs, al in lay.items:
        pos = ""
        if r is not None:
            pos = f' row="{r}" column="{c}"'
            if rs != 1 or cs != 1:
                pos += f' rowspan="{rs}" colspan="{cs}"'
        if al:
            pos += f' alignment="{al}"'
        out.append(f"{ind} <item{pos}>")
        if isinstance(node, Widget):
            out += widget_xml(node, ind + "  ")
        elif isinstance(node, Layout):
            out += layout_xml(node, ind + "  ")
        else:
            out += spacer_xml(node, ind + "  ")
        out.append(f"{ind} </item>")
    out.append(f"{ind}</layout>")
    return out


def spacer_xml(s, ind):
    orient = "Qt::Vertical" if s.vertical else "Qt::Horizontal"
    out = [f'{ind}<spacer name="{s.name}">']
    out += prop_xml("orientation", Enum(orient), ind + " ")
    out += prop_xml("sizeHint", size(0, 0), ind + " ", stdset=False)
    out.append(f"{ind}</spacer>")
    return out


CUSTOM = [("UiNumDisplay", "QLabel"), ("UiLed", "QWidget"), ("UiSlide", "QWidget"),
          ("UiColorNumeric", "QWidget"), ("UiGraph", "QWidget"), ("UiStripChart", "QWidget")]


def iter_widgets(node):
    if isinstance(node, Widget):
        yield node
        for c in node.children:
            yield from iter_widgets(c)
        if node.layout is not None:
            yield from iter_widgets(node.layout)
    elif isinstance(node, Layout):
        for c in layout_children(node):
            yield from iter_widgets(c)


def assign_ids(panels, page_names):
    """Names every node and returns owner -> addressed control names, in id order."""
    namer = Namer()
    ids = {}
    for p in panels:
        ids.setdefault(p.name, [])
        walk_assign(p, p.name, p.name, namer, ids, page_names)
    for p in panels:
        for node in iter_widgets(p):
            if node.label is not None and node.label.name not in namer.used:
                raise SystemExit(f"label of {node.name} is not placed in a layout")
    return ids


def uir_text(panels, root_size):
    root_w, root_h = root_size
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           "<!-- Generated by layout/make_uir.py; edit the generator, not this file. -->",
           '<ui version="4.0">',
           " <class>Colmira3V42</class>",
           ' <widget class="QWidget" name="Colmira3V42">']
    out += prop_xml("geometry", rect(0, 0, root_w, root_h), "  ")
    out += prop_xml("windowTitle", "Colmira3V42 panels", "  ")
    for p in panels:
        out += widget_xml(p, "  ")
    out.append(" </widget>")
    out.append(" <customwidgets>")
    for cls, base in CUSTOM:
        out += [f"  <customwidget>", f"   <class>{cls}</class>", f"   <extends>{base}</extends>",
                f"   <header>ui/widgets.h</header>", f"  </customwidget>"]
    out.append(" </customwidgets>")
    out.append(" <resources/>")
    out.append(" <connections/>")
    out.append("</ui>")
    return "\n".join(out) + "\n"


def pages_of(panels):
    """(page name, panel name, tab control name, index) for every tab page."""
    out = []
    for p in panels:
        for w in iter_widgets(p):
            if w.cls == "QTabWidget":
                for i, pg in enumerate(w.children):
                    out.append((pg.name, p.name, w.name, i))
    return out


def header_text(panels, ids, panel_ids, page_ids):
    pages = pages_of(panels)
    lines = ["// Generated by layout/make_uir.py; edit the generator, not this file.",
             "#pragma once",
             "",
             '#include "ui/uir_table.h"',
             "",
             "// panels (resource ids)"]
    for name, pid in panel_ids:
        lines.append(f"inline constexpr int {name} = {pid};")
    lines += ["", "// tab pages: handles by which the program addresses the controls on a page"]
    for tab in dict.fromkeys(t for _, _, t, _ in pages):
        on_tab = [pg for pg, _, t, _ in pages if t == tab]
        lines.append(f"// {tab}, pages 0..{len(on_tab) - 1}")
        lines += [f"inline constexpr int {pg} = {page_ids[pg]};" for pg in on_tab]
    lines += ["", "// controls, numbered per panel or page from 2 upward"]
    order = [n for n, _ in panel_ids]
    # pages follow the panel that holds them
    owners = []
    for n in order:
        owners.append(n)
        owners += [pg for pg, parent, _, _ in pages if parent == n]
    for owner in owners:
        lines.append(f"// {owner}")
        for k, name in enumerate(ids.get(owner, [])):
            lines.append(f"inline constexpr int {name} = {k + 2};")
    lines += ["", "inline constexpr ui::UirPanelDef kUirPanels[] = {"]
    for name, _ in panel_ids:
        lines.append(f'    {{{name}, "{name}", 0, 0, -1}},')
    for pg, parent, tab, idx in pages:
        lines.append(f'    {{{pg}, "{pg}", {parent}, {tab}, {idx}}},')
    lines.append("};")
    lines += ["", "inline constexpr ui::UirCtrlDef kUirCtrls[] = {"]
    for owner in owners:
        for name in ids.get(owner, []):
            lines.append(f'    {{{owner}, {name}, "{name}"}},')
    lines.append("};")
    return "\n".join(lines) + "\n"


# ---------------------------------------------------------------------------
# Callback plumbing: every callback name the layout uses, declared once and
# resolved by one name -> function table.

CTRL_ARGS = ("[[maybe_unused]] int panel, [[maybe_unused]] int control, [[maybe_unused]] int event, "
             "[[maybe_unused]] void* callbackData, [[maybe_unused]] int eventData1, "
             "[[maybe_unused]] int eventData2")
PANEL_ARGS = ("[[maybe_unused]] int panel, [[maybe_unused]] int event, "
              "[[maybe_unused]] void* callbackData, [[maybe_unused]] int eventData1, "
              "[[maybe_unused]] int eventData2")


def callback_names(panels):
    """(panel callbacks, control callbacks): each name once, in layout order."""
    panel_cbs, ctrl_cbs = [], []
    for p in panels:
        for w in iter_widgets(p):
            cb = dict(w.dyn).get("callback")
            if not cb:
                continue
            target = panel_cbs if w is p else ctrl_cbs
            if cb not in target:
                target.append(cb)
    return panel_cbs, ctrl_cbs


def callbacks_header_text(panel_cbs, ctrl_cbs):
    lines = ["// Generated by layout/make_uir.py; edit the generator, not this file.",
             "// Every callback that the layout names, with the argument lists that every",
             "// panel and control callback takes; callbacks return 0.",
             "#pragma once",
             "",
             f"#define CBF_CTRL_ARGS {CTRL_ARGS}",
             f"#define CBF_PANEL_ARGS {PANEL_ARGS}",
             "",
             "// Stands behind every name on layout/callbacks_waiting.txt: does nothing.",
             "int CBF_NotYet(CBF_CTRL_ARGS);",
             "int CBF_PanelNotYet(CBF_PANEL_ARGS);",
             "",
             "// panels"]
    lines += [f"int {cb}(CBF_PANEL_ARGS);" for cb in panel_cbs]
    lines += ["", "// controls"]
    lines += [f"int {cb}(CBF_CTRL_ARGS);" for cb in ctrl_cbs]
    return "\n".join(lines) + "\n"


def callbacks_table_text(panel_cbs, ctrl_cbs, waiting):
    def fn(cb, not_yet):
        return not_yet if cb in waiting else cb

    lines = ["// Generated by layout/make_uir.py; edit the generator, not this file.",
             "// The callback names that the layout file uses, and the functions behind them.",
             "#include <iterator>",
             "",
             '#include "Colmira3V42.h"',
             '#include "ui/ui.h"',
             "",
             "void RegisterApplicationCallbacks() {",
             "  static const ui::CtrlCallbackName kCtrls[] = {"]
    lines += [f'      {{"{cb}", {fn(cb, "CBF_NotYet")}}},' for cb in ctrl_cbs]
    lines += ["  };",
              "  static const ui::PanelCallbackName kPanels[] = {"]
    lines += [f'      {{"{cb}", {fn(cb, "CBF_PanelNotYet")}}},' for cb in panel_cbs]
    lines += ["  };",
              "  ui::RegisterCallbacks(kCtrls, static_cast<int>(std::size(kCtrls)), kPanels,",
              "                        static_cast<int>(std::size(kPanels)));",
              "}"]
    return "\n".join(lines) + "\n"
