# SPDX-License-Identifier: MIT
# Drives Мерилон over the accessibility bus as a screen reader user does: presses the
# main window's buttons through their actions, chooses with the arrow keys in each
# window, and reads every result back from the bus, with its name and unit, and the
# change events that tell a screen reader of a new value; then opens every other
# registered window and reads its first choice's result. Run by tools/check-atspi.sh
# with the program's path and the registry (tools/list_windows.cpp) in a file.
import json
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

KEY_UP, KEY_DOWN, KEY_RETURN, KEY_ESCAPE = 0xFF52, 0xFF54, 0xFF0D, 0xFF1B
failures = []
ENTRIES = []  # the registry of windows, as tools/list_windows.cpp prints it
changes = []  # (name of the control, text it received)


def pump(seconds):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(what, probe, timeout=10.0, must=True):
    """The first true answer of `probe`; none in time ends the check, if `must`."""
    end = time.monotonic() + timeout
    while True:
        result = probe()
        if result or time.monotonic() > end:
            if not result and must:
                sys.exit(f"FAIL: {what} did not come within {timeout:.0f} s")
            return result
        pump(0.05)


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRole() != pyatspi.ROLE_LIST:  # the items of a list are not searched
            yield from descendants(child)


# The roles by their constants: their names change between releases of the bus
# (at-spi2-core 2.56 calls a push button "button").
ROLES = {'label': pyatspi.ROLE_LABEL, 'text': pyatspi.ROLE_TEXT, 'push button': pyatspi.ROLE_PUSH_BUTTON,
         'list': pyatspi.ROLE_LIST, 'image': pyatspi.ROLE_IMAGE, 'combo box': pyatspi.ROLE_COMBO_BOX}


def find(root, role, name=None):
    for node in descendants(root):
        if node.getRole() == ROLES[role] and (name is None or node.name == name):
            return node
    return None


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:  # a caption without a text of its own
        return ''



def window(app, title):
    return wait_for(f'the window «{title}»',
                    lambda: next((w for w in app if w is not None and w.name == title
                                  and w.getState().contains(pyatspi.STATE_SHOWING)), None))


def press(app, button):
    node = find(wait_for('the main window', lambda: window(app, 'Мерилон')), 'push button', button)
    action = node.queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index('Press'))


def activate(frame):
    """Clicks the window's caption label: with no window manager on the virtual
    screen, nothing else makes a new window the active one."""
    box = find(frame, 'label').queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, 'b1c')
    wait_for(f'«{frame.name}» active', lambda: frame.getState().contains(pyatspi.STATE_ACTIVE))


def choose(frame, caption, item):
    """Chooses `item` in the list labelled `caption` with the arrow keys."""
    label = find(frame, 'label', caption)
    combo = next(r.getTarget(0) for r in label.getRelationSet()
                 if r.getRelationType() == pyatspi.RELATION_LABEL_FOR)
    print(f'{frame.name}: «{caption}» → «{item}»')
    items = [child.name for child in find(combo, 'list')]
    edit = find(combo, 'text')
    edit.queryAction().doAction(0)  # SetFocus
    wait_for(f'the focus in «{caption}»', lambda: combo.getState().contains(pyatspi.STATE_FOCUSED)
             or edit.getState().contains(pyatspi.STATE_FOCUSED))
    while text_of(edit) != item:
        current = items.index(text_of(edit)) if text_of(edit) in items else -1
        before = text_of(edit)
        key = KEY_DOWN if items.index(item) > current else KEY_UP
        pyatspi.Registry.generateKeyboardEvent(key, None, pyatspi.KEY_SYM)
        wait_for(f'a step in «{caption}» from «{before}»', lambda: text_of(edit) != before)


def choose_in_list(frame, name, item):
    """Chooses `item` with the arrow keys in the list without an edit field named `name`."""
    combo = find(frame, 'combo box', name)
    if combo is None:
        failures.append(f'{frame.name}: no list named «{name}»')
        return
    print(f'{frame.name}: «{name}» → «{item}»')
    # A click opens its popup and gives it the focus; Escape closes the popup.
    box = combo.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, 'b1c')
    pump(0.5)
    pyatspi.Registry.generateKeyboardEvent(KEY_ESCAPE, None, pyatspi.KEY_SYM)
    pump(0.3)
    # Down until the item or the list's end, then up.
    for key in (KEY_DOWN, KEY_UP):
        while text_of(combo) != item:
            before = text_of(combo)
            pyatspi.Registry.generateKeyboardEvent(key, None, pyatspi.KEY_SYM)
            if not wait_for(f'a step in «{name}» from «{before}»', lambda: text_of(combo) != before, timeout=1,
                            must=False):
                break


def open_registered(app, entry):
    """Opens a registered window as its user does, over the bus."""
    if entry['opening'] == 'button':
        press(app, entry['opener'])
    elif entry['opening'] == 'window':  # from the window it belongs to, opened first
        frame = open_registered(app, next(e for e in ENTRIES if e['caption'] == entry['from']))
        activate(frame)
        node = find(frame, 'push button', entry['opener'])
        action = node.queryAction()
        action.doAction([action.getName(i) for i in range(action.nActions)].index('Press'))
    else:  # Enter on its line of the main window's box of links
        box = next(n for n in descendants(window(app, 'Мерилон'))
                   if n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_LABEL) and entry['opener'] in text_of(n))
        box.queryComponent().grabFocus()
        wait_for('the focus in the box of links', lambda: box.getState().contains(pyatspi.STATE_FOCUSED))
        box.queryText().setCaretOffset(text_of(box).index(entry['opener']))
        pyatspi.Registry.generateKeyboardEvent(KEY_RETURN, None, pyatspi.KEY_SYM)
    return window(app, entry['caption'])


def expect(frame, role, name, text, unit=None):
    node = find(frame, role, name)
    if node is None:
        failures.append(f'{frame.name}: no {role} named «{name}»')
        return
    wait_for(f'«{text}» in «{name}»', lambda: text_of(node) == text, timeout=3, must=False)
    shown = text_of(node)
    print(f'{frame.name or "ФАвтор"}: {role} «{name}» reads «{shown}»' + (f', {node.description}' if unit else ''))
    if shown != text:
        failures.append(f'{frame.name}: «{name}» reads «{shown}», not «{text}»')
    if unit is not None and node.description != unit:
        failures.append(f'{frame.name}: «{name}» has the unit «{node.description}», not «{unit}»')


def heard(name, text):
    if not any(n == name and t == text for n, t in changes):
        failures.append(f'no change event told «{name}» of «{text}»')


def on_change(event):
    if event.type.startswith('object:text-changed:insert'):
        changes.append((event.source.name, event.any_data))


def running(drive_it, *args):
    """Runs the program while `drive_it` drives it, and ends it after."""
    program = subprocess.Popen([sys.argv[1]])
    try:
        return drive_it(*args)
    finally:
        program.terminate()
        program.wait()


def app_on_bus():
    desktop = pyatspi.Registry.getDesktop(0)
    return wait_for('Мерилон on the bus', lambda: next((a for a in desktop if a is not None
                                                        and a.name == 'merilon'), None), timeout=20)


def drive_registered(entry):
    """A registered window in a program of its own (with no window manager here, a
    window once covered cannot be brought forward): opened as its user opens it, its
    first choice made and its result read."""
    app = app_on_bus()
    activate(window(app, 'Мерилон'))
    frame = open_registered(app, entry)
    activate(frame)
    for choice in entry['choices']:
        if choice['editable']:
            choose(frame, choice['list'], choice['item'])
        else:
            choose_in_list(frame, choice['list'], choice['item'])
    role = 'label' if find(frame, 'text', entry['result']) is None else 'text'
    expect(frame, role, entry['result'], entry['shows'])


def main():
    # Listening before the program starts, as a screen reader does: Qt tells only
    # of the kinds of events that someone listens to.
    pyatspi.Registry.registerEventListener(on_change, 'object:text-changed')
    running(drive)
    # Every registered window that the run above did not read.
    with open(sys.argv[2], encoding='utf-8') as registry:
        ENTRIES.extend(json.loads(line) for line in registry if line.strip())
    read = {'Мерилон', 'Допуски формы и расположения', 'Неуказанные допуски', 'Допуски углов',
            'Допуски (знаки)', ''}  # '': the About window
    for entry in ENTRIES:
        if entry['caption'] not in read:
            running(drive_registered, entry)
    for failure in failures:
        print('FAIL:', failure)
    return 1 if failures else 0


def drive():
    started = time.monotonic()
    app = app_on_bus()

    main_window = window(app, 'Мерилон')
    activate(main_window)
    choose(main_window, 'Номинальные размеры, мм', 'св. 18 до 24')
    choose(main_window, 'Поле допуска', 'f')
    expect(main_window, 'text', 'верхнее', '-20', 'в микрометрах')
    expect(main_window, 'text', 'нижнее', '-41', 'в микрометрах')
    choose(main_window, 'Поле допуска', 'js')
    expect(main_window, 'text', 'верхнее', '10,5', 'в микрометрах')
    expect(main_window, 'text', 'нижнее', '-10,5', 'в микрометрах')
    heard('верхнее', '-20')
    heard('нижнее', '-10,5')

    press(app, 'Допуски формы и расположения поверхностей')
    form = window(app, 'Допуски формы и расположения')
    activate(form)
    expect(form, 'text', 'Значение допуска', '12', 'в микрометрах')
    find(form, 'label', 'мкм') or failures.append('Форма5: the unit «мкм» is not on the bus')
    choose(form, 'Степень точности', '13')
    expect(form, 'text', 'Значение допуска', '0,2', 'в миллиметрах')
    find(form, 'label', 'мм') or failures.append('Форма5: the unit «мм» is not on the bus')
    notes = text_of(find(form, 'text', 'Примечание'))
    print(f'{form.name}: text «Примечание» reads «{notes[:40].strip()}…»')
    if not notes.startswith('   1.Допуски распространяются также на'):
        failures.append(f'Форма5: the notes read «{notes[:40]}»')
    heard('Значение допуска', '0,2')

    press(app, 'Неуказанные допуски формы и расположения поверхностей')
    unspecified = window(app, 'Неуказанные допуски')
    activate(unspecified)
    expect(unspecified, 'text', 'Значение допуска', '0,2', 'в миллиметрах')
    choose(unspecified, 'Степень точности', '15 - 16')
    expect(unspecified, 'text', 'Значение допуска', '0,5', 'в миллиметрах')
    choose(unspecified, 'Допуск ', 'перпендикулярности')
    expect(unspecified, 'text', 'Значение допуска', '0,16', 'в миллиметрах')
    notes = text_of(find(unspecified, 'label', 'Примечание'))
    print(f'{unspecified.name}: label «Примечание» reads «{notes[:40].strip()}…»')
    if not notes.startswith('1. За базу, к которой относится допуск перпендикулярности'):
        failures.append(f'Форма4: the notes read «{notes[:40]}»')
    heard('Значение допуска', '0,16')
    if not any(n == 'Примечание' and t.startswith('1. За базу') for n, t in changes):
        failures.append('no change event told «Примечание» of the new notes')

    press(app, 'Допуски углов')
    angles = window(app, 'Допуски углов')
    activate(angles)
    unit = "в градусах (°), минутах (') и секундах ('')"
    expect(angles, 'text', 'Допуск', "4'", unit)
    choose(angles, 'Степень точности', '9')
    expect(angles, 'text', 'Допуск', "6'", unit)
    heard('Допуск', "6'")

    press(app, 'Указание на чертежах допусков формы и расположения')
    chart = window(app, 'Допуски (знаки)')
    symbol = find(chart, 'image', '1. Допуск радиального биения; 2. Допуск торцевого биения; '
                                  '3. Допуск биения в заданном направлении')
    box = symbol.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, 'abs')
    expect(chart, 'label', 'Группа', 'Суммарный допуск формы и расположения')
    kind = text_of(find(chart, 'label', 'Вид допуска (наименование)'))
    print(f'{chart.name}: label «Вид допуска (наименование)» reads «{kind[:28]}…»')
    if kind != ('1. Допуск радиального биения\n2. Допуск торцевого биения\n'
                '3. Допуск биения в заданном направлении'):
        failures.append(f'Форма2: the kind reads «{kind}»')
    heard('Группа', 'Суммарный допуск формы и расположения')

    press(app, 'О программе')
    about = wait_for('the About window', lambda: next(
        (w for w in app if w is not None and find(w, 'text', 'Адрес автора') is not None), None))
    expect(about, 'text', 'Адрес автора', 'merilon@example.org')
    licence = text_of(find(about, 'text', 'Лицензионное соглашение'))
    print(f'About: text «Лицензионное соглашение» reads {len(licence)} characters')
    if len(licence) < 500:
        failures.append('About: the licence reads short')

    print(f'{len(changes)} change events heard; {time.monotonic() - started:.1f} s on the bus')


if __name__ == '__main__':
    sys.exit(main())
