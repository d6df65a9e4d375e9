# SPDX-License-Identifier: MIT
# Drives Мерилон over the accessibility bus as a screen reader user does: presses the
# main window's buttons through their actions, chooses with the arrow keys in each
# window, and reads every result back from the bus, with its name and unit, and the
# change events that tell a screen reader of a new value. Run by tools/check-atspi.sh
# with the program's path.
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

KEY_UP, KEY_DOWN = 0xFF52, 0xFF54
failures = []
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
         'list': pyatspi.ROLE_LIST, 'image': pyatspi.ROLE_IMAGE}


def find(root, role, name=None):
    for node in descendants(root):
        if node.getRole() == ROLES[role] and (name is None or node.name == name):
            return node
    return None


def text_of(node):
    return node.queryText().getText(0, -1)


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


def main():
    # Listening before the program starts, as a screen reader does: Qt tells only
    # of the kinds of events that someone listens to.
    pyatspi.Registry.registerEventListener(on_change, 'object:text-changed')
    program = subprocess.Popen([sys.argv[1]])
    try:
        return drive()
    finally:
        program.terminate()
        program.wait()


def drive():
    started = time.monotonic()
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for('Мерилон on the bus', lambda: next((a for a in desktop if a is not None
                                                        and a.name == 'merilon'), None), timeout=20)

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
    for failure in failures:
        print('FAIL:', failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
