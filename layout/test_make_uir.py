"""Checks of the layout generator's output that the program relies on at load.

    python3 layout/test_make_uir.py
"""

import os
import re
import sys
import unittest
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_uir  # noqa: E402

# Widget class (and, for combo boxes, editability) that each kind in an id name stands for.
KIND_CLASS = {
    "BUTTON": "QPushButton", "RING": "QComboBox", "COMBO": "QComboBox",
    "NUM": ("QSpinBox", "QDoubleSpinBox"), "DISP": "UiNumDisplay", "STR": "QLineEdit",
    "TEXTBOX": "QPlainTextEdit", "TEXTMSG": "QLabel", "LED": "UiLed", "TABLE": "QTableWidget",
    "GRAPH": "UiGraph", "STRIP": "UiStripChart", "SLIDE": "UiSlide", "SWITCH": "QCheckBox",
    "RADIO": "QRadioButton", "COLORNUM": "UiColorNumeric", "DECO": "QFrame",
    "BAR": "QProgressBar", "TAB": "QTabWidget",
}


def props(widget, stdset=None):
    """Property name -> text of the value element, of one widget's own properties."""
    out = {}
    for p in widget.findall("property"):
        if stdset is not None and (p.get("stdset") != "0") == (not stdset):
            continue
        value = p[0]
        out[p.get("name")] = value.text if len(value) == 0 else value
    return out


class GeneratedLayout(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        panels, ids = make_uir.build()
        cls.uir = make_uir.uir_text(panels)
        cls.header = make_uir.header_text(panels, ids)
        cls.root = ET.fromstring(cls.uir).find("widget")
        cls.widgets = {w.get("name"): w for w in cls.root.iter("widget")}
        cls.parent = {c: p for p in cls.root.iter() for c in p}
        # kUirCtrls rows: (owner, objectName)
        cls.ctrls = re.findall(r'\{(\w+), \w+, "(\w+)"\}', cls.header)

    def test_outputs_are_stable_and_current(self):
        panels, ids = make_uir.build()
        self.assertEqual(make_uir.uir_text(panels), self.uir)
        self.assertEqual(make_uir.header_text(panels, ids), self.header)
        for path, text in ((make_uir.UIR_PATH, self.uir), (make_uir.HEADER_PATH, self.header)):
            with open(path, encoding="utf-8") as f:
                self.assertEqual(f.read(), text, f"{path} is stale: run layout/make_uir.py")

    def test_every_callback_has_a_function_or_waits(self):
        """A name the layout uses is defined in src/ or stands on the waiting list, never both."""
        panels, _ = make_uir.build()
        panel_cbs, ctrl_cbs = make_uir.writer.callback_names(panels)
        src = os.path.join(os.path.dirname(make_uir.HERE), "src")
        defined = set()
        for folder, _, files in os.walk(src):
            for name in files:
                if name.endswith(".cpp"):
                    with open(os.path.join(folder, name), encoding="utf-8") as f:
                        defined |= set(re.findall(r"^int (CBF_\w+)\(CBF_(?:CTRL|PANEL)_ARGS\)",
                                                  f.read(), re.M))
        waiting = set(make_uir.read_waiting())
        for cb in panel_cbs + ctrl_cbs:
            with self.subTest(callback=cb):
                self.assertTrue(cb in defined or cb in waiting,
                                f"{cb} has no function and is not on callbacks_waiting.txt")
                self.assertFalse(cb in defined and cb in waiting,
                                 f"{cb} has a function: take it off callbacks_waiting.txt")
        for path, text in make_uir.callback_outputs(panels):
            with open(path, encoding="utf-8") as f:
                self.assertEqual(f.read(), text, f"{path} is stale: run layout/make_uir.py")

    def owner_of(self, widget):
        """Nearest enclosing tab page or panel, as the program resolves ids."""
        node = self.parent[widget]
        while node is not None:
            if node.tag == "widget" and (node.get("name") in make_uir.PAGE_IDS or
                                         self.parent.get(node) is self.root):
                return node.get("name")
            node = self.parent.get(node)
        return None

    def test_every_id_names_one_widget_of_its_kind_on_its_owner(self):
        names = [n for _, n in self.ctrls]
        self.assertEqual(len(names), len(set(names)))
        all_names = [w.get("name") for w in self.root.iter("widget")]
        self.assertEqual(len(all_names), len(set(all_names)), "object names must be unique")
        for owner, name in self.ctrls:
            w = self.widgets.get(name)
            self.assertIsNotNone(w, name)
            self.assertTrue(name.startswith(owner + "_"), name)
            kind = name[len(owner) + 1:].split("_")[0]
            expected = KIND_CLASS[kind]
            self.assertIn(w.get("class"), expected if isinstance(expected, tuple) else (expected,),
                          name)
            p = props(w, stdset=True)
            if kind == "RING":
                self.assertNotEqual(p.get("editable"), "true", name)
            if kind == "COMBO":
                self.assertEqual(p.get("editable"), "true", name)
            if kind == "RADIO":
                self.assertEqual(p.get("autoExclusive"), "false", name)
            self.assertEqual(self.owner_of(w), owner, name)
        # every widget the program could address by an upper-case name has an id
        addressed = {n for n in all_names if n == n.upper() and n != "Colmira3V42"}
        pages_and_panels = set(make_uir.PAGE_IDS) | {n for n, _ in make_uir.PANEL_IDS}
        self.assertEqual(addressed - pages_and_panels, set(names))

    def test_names_the_program_already_uses(self):
        cb = {n: props(w, stdset=False).get("callback") for n, w in self.widgets.items()}
        for name, shortcut in (("MAINP_BUTTON_SEND", "F9"), ("MAINP_BUTTON_GET", "F10"),
                               ("MAINP_BUTTON_GO", "F11"), ("MAINP_BUTTON_STOP", "F12")):
            self.assertEqual(props(self.widgets[name])["shortcut"], shortcut)
        for name in ("MAINP_RADIO_RAM", "MAINP_RADIO_EEPROM", "MAINP_RADIO_FILE"):
            self.assertEqual(cb[name], "CBF_SelectMem")
        for name in ("MAINP_RADIO_PARASET0", "MAINP_RADIO_PARASET1"):
            self.assertEqual(cb[name], "CBF_SelectParaSet")
        self.assertEqual(cb["MAINP_TAB"], "CBF_TabMain1")
        self.assertEqual(cb["DATAP_TAB"], "CBF_TabDataP1")
        self.assertEqual(cb["DATAP_STR_STATUS"], "CBF_DispStatus")
        self.assertIsNone(cb["TABCOMM_STR_DEVICE"])
        for name, _ in make_uir.PANEL_IDS:
            self.assertEqual(cb[name], "CBF_" + name)
        pages = [c.get("name") for c in self.widgets["MAINP_TAB"].findall("widget")]
        self.assertEqual(pages, ["TABCOMM", "TABPARA", "TABGRPHOLD", "TABTEACH", "TABREC",
                                 "TABCALIB", "TABATTR", "TABSCOPE", "TABOFFSET"])
        pages = [c.get("name") for c in self.widgets["DATAP_TAB"].findall("widget")]
        self.assertEqual(pages, ["TABRGB", "TABINT", "TAB2D", "TAB3D"])
        for name in ("TABCOMM_RING_PROTOCOL", "TABCOMM_NUM_COMPORT", "TABCOMM_RING_BAUDRATE",
                     "TABCOMM_COMBO_HOST", "TABCOMM_STR_PORTNUMBER", "TABCOMM_STR_ID",
                     "TABCOMM_TEXTBOX_LOG", "TABCOMM_BUTTON_CONNECT", "TABCOMM_BUTTON_ACCEPT",
                     "TABCOMM_BUTTON_BAUDRATE", "TABCOMM_BUTTON_HWFILE", "DATAP_DISP_COMPORT",
                     "DATAP_STR_HOST", "PASSWORDP_STR_PASSWORD"):
            self.assertIn(name, self.widgets)

    def test_main_panel_leaves_title_and_child_area_free(self):
        mainp = self.widgets["MAINP"]
        geo = props(mainp)["geometry"]
        self.assertEqual((geo.find("width").text, geo.find("height").text), ("790", "548"))
        for child in mainp.findall("widget"):
            g = props(child)["geometry"]
            x, y, w, h = (int(g.find(k).text) for k in ("x", "y", "width", "height"))
            name = child.get("name")
            self.assertFalse(x + w > 286 and y + h > 63, f"{name} reaches into the child area")
            self.assertFalse(x + w > 286 and x < 610 and y < 58, f"{name} covers the title")
        for name in ("DATAP", "GRAPHP", "TEACHP1", "TEACHP2", "SCOPEP"):
            g = props(self.widgets[name])["geometry"]
            self.assertEqual((g.find("width").text, g.find("height").text), ("504", "485"))

    def test_labels_and_rings_are_consistent(self):
        for w in self.root.iter("widget"):
            p = props(w, stdset=True)
            if "buddy" in p:
                self.assertIn(p["buddy"], self.widgets, w.get("name"))
            if w.get("class") == "QComboBox" and p.get("editable") != "true":
                items = w.findall("item")
                index = int(p.get("currentIndex", "0"))
                self.assertTrue(0 <= index < len(items), w.get("name"))
                values = props(w, stdset=False).get("itemValues")
                if values:
                    self.assertEqual(len(values.split(",")), len(items), w.get("name"))


if __name__ == "__main__":
    unittest.main()
