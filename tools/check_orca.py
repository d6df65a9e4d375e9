# SPDX-License-Identifier: MIT
# Drives Мерилон from the keyboard alone, as a blind user does, with the screen reader
# Orca running, and checks what Orca says: a list's caption and value, the results
# after a choice (whole and once), a result box's name and value on Tab (once), a list
# without an edit field by its own name and value, the fit after a choice, a window's
# title, a message, an empty result box, the symbols of the chart from the keyboard,
# and a button pressed with Return; and no word of a selection the user did not make. Orca's speech goes to a file (tools/check-orca.sh
# sets that up); the check waits for what must be heard instead of sleeping fixed
# times; last, every other window that a link of the main window opens, by its title,
# and the dimension chain solved anew after a choice of its method.
# Usage: check_orca.py PROGRAM SPOKEN_FILE REGISTRY (the registry of windows as
# tools/list_windows.cpp prints it)
import json
import os
import subprocess
import sys
import time

program, spoken_file, registry_file = sys.argv[1], sys.argv[2], sys.argv[3]
program_output = spoken_file + '.program'
failures = []
# How much had been heard at the first failure: if nothing more is heard from there
# on, not even the echo of a key, Orca fell silent.
silence = {'mark': None}
# Orca's words for a selection that the user did not make.
NOISE = ('не выделен', 'выделено')
SLOW = 20.0  # seconds: the longest Orca may take to say something on a loaded machine


def spoken():
    with open(spoken_file, encoding='utf-8', errors='replace') as f:
        return [line.strip() for line in f.read().splitlines() if line.strip()]


def said(mark):
    return spoken()[mark:]


def wait_quiet(seconds=0.8):
    """Until Orca has said nothing new for `seconds`."""
    last, since = len(spoken()), time.monotonic()
    while time.monotonic() - since < seconds:
        time.sleep(0.05)
        now = len(spoken())
        if now != last:
            last, since = now, time.monotonic()


def key(*keys):
    """Presses keys; returns the mark from which their speech counts."""
    wait_quiet()
    mark = len(spoken())
    subprocess.run(['xdotool', 'key', '--delay', '150', *keys], check=True)
    return mark


def hear(mark, text, what=None, once=False):
    """Waits until `text` is heard after `mark`; with `once`, it must be heard once."""
    end = time.monotonic() + SLOW
    while time.monotonic() < end:
        lines = said(mark)
        if any(text in line for line in lines):
            break
        time.sleep(0.05)
    else:
        if silence['mark'] is None and not failures:
            silence['mark'] = len(spoken())  # what was heard up to the first failure
        failures.append(f'{what or "heard"}: «{text}» not heard; heard {said(mark)}')
        return
    if once:
        wait_quiet()
        count = sum(line.count(text) for line in said(mark))
        if count != 1:
            failures.append(f'{what or "heard"}: «{text}» heard {count} times: {said(mark)}')
    print(f'heard «{text}»')


def main():
    start = time.monotonic()
    if not any('Чтение с экрана' in line for line in wait_for_orca()):
        print('FAIL: Orca did not start to speak')
        return 1
    with open(program_output, 'w') as output:
        process = subprocess.Popen([program], stdout=output, stderr=subprocess.STDOUT)
        try:
            drive()
        finally:
            ended = process.poll()
            process.terminate()
            process.wait()
    print(f'{time.monotonic() - start:.0f} s with Orca')
    if ended is not None:
        failures.append(f'the program ended by itself during the check, with status {ended}')
    noise = [line for line in spoken() if any(word in line for word in NOISE)]
    if noise:
        failures.append(f'heard what says nothing about the program: {noise}')
    stalled = silence['mark'] is not None and len(spoken()) == silence['mark']
    for failure in failures:
        print('FAIL:', failure)
    if failures or os.environ.get('MERILON_ORCA_SHOW'):
        print('--- heard:', *spoken(), sep='\n  ')
        with open(program_output, errors='replace') as output:
            print('--- the program\'s output:', output.read()[-4000:], sep='\n')
    if stalled and os.environ.get('MERILON_ORCA_STALLED'):
        print('Orca fell silent for good after', len(spoken()), 'utterances')
        open(os.environ['MERILON_ORCA_STALLED'], 'w').close()
    return 1 if failures else 0


def wait_for_orca():
    end = time.monotonic() + 60
    while time.monotonic() < end and not spoken():
        time.sleep(0.1)
    wait_quiet()
    return spoken()


def window(title):
    """Waits for a window of the program with this caption and gives it the focus."""
    end = time.monotonic() + SLOW
    while time.monotonic() < end:
        pattern = title.replace('(', r'\(').replace(')', r'\)')
        found = subprocess.run(['xdotool', 'search', '--name', f'^{pattern}$'], capture_output=True, text=True)
        ids = found.stdout.split()
        if ids:
            subprocess.run(['xdotool', 'windowactivate', '--sync', ids[-1]], capture_output=True)
            subprocess.run(['xdotool', 'windowfocus', '--sync', ids[-1]], capture_output=True)
            return
        time.sleep(0.2)
    failures.append(f'no window «{title}»')


def drive():
    window('Мерилон')
    # The main window: the focus starts on the grade; Shift+Tab twice reaches the sizes.
    hear(key('shift+Tab', 'shift+Tab'), 'Номинальные размеры', 'the size list by its caption')
    # A choice of the first size: the deviations are spoken, whole, with their unit.
    mark = key('Down')
    hear(mark, 'верхнее 10, нижнее 0, в микрометрах', 'the deviations after a choice', once=True)
    # Tab past the button «О программе», the grade and the field to the upper
    # deviation: its name and its whole value, once.
    mark = key('Tab', 'Tab', 'Tab', 'Tab')
    hear(mark, 'верхнее', 'a result box by its name')
    hear(mark, '10', 'a result box read whole', once=True)
    # The fit window, by Enter on the first line of the box at the bottom.
    key('Tab', 'Tab', 'Tab', 'Tab', 'Tab', 'Tab', 'ctrl+Home', 'Return')
    window('Посадки')
    # Tab from the size to the hole's grade: a list without an edit field says its value.
    mark = key('Tab', 'Tab')
    hear(mark, 'Квалитет отверстия', 'the hole grade by its name')
    hear(mark, '7', 'the hole grade says its value')
    # The shaft's letter, one down: f to g, and the fit is spoken.
    mark = key('Tab', 'alt+Down', 'Down', 'Return')
    hear(mark, 'H7/g7, посадка с зазором, зазор наибольший 49 мкм, наименьший 7 мкм', 'the fit after a choice',
         once=True)
    # "Read title" (Orca's key and Enter on the keypad) names the window.
    hear(key('Insert+KP_Enter'), 'Посадки', 'the fit window read by its title')
    # A size that is no number (a comma with no decimal after it; a letter would make it
    # a designation, which waits for Enter): the message is spoken.
    mark = key('shift+Tab', 'shift+Tab', 'shift+Tab', 'End', 'comma')
    hear(mark, 'Размер не число', 'the size message')
    # Back past the buttons to the empty interference box: its name all the same.
    hear(key(*['shift+Tab'] * 7), 'Наименьший натяг Nmin', 'an empty result box by its name')
    # The symbol chart, from the button before the box at the bottom: the symbols take
    # the focus, Tab and the arrow keys, each heard by its tolerance and group.
    window('Мерилон')
    hear(key('shift+Tab', 'Return'), 'Допуск прямолинейности', 'the first symbol as the chart opens')
    window('Допуски (знаки)')
    mark = key('Tab')
    hear(mark, 'Допуск плоскостности', 'the next symbol by Tab')
    hear(mark, 'Допуск формы', 'the symbol\'s group')
    hear(key('Down'), 'Допуск наклона', 'the symbol below by the arrow key')
    # Back in the main window, past the box at the bottom and the sizes to «О программе»:
    # Return presses it, and the About window opens on its licence.
    window('Мерилон')
    hear(key('Tab', 'Tab', 'Tab'), 'О программе', 'the About button')
    hear(key('Return'), 'Лицензионное соглашение', 'the About window opened with Return')
    # Every linked window not heard yet: Enter on its line of the box at the bottom
    # (from «О программе» back past the sizes), and its title read.
    with open(registry_file, encoding='utf-8') as registry:
        links = [e for e in map(json.loads, filter(str.strip, registry)) if e['opening'] == 'link']
    window('Мерилон')
    key('shift+Tab', 'shift+Tab')
    for line, entry in enumerate(links):
        if entry['caption'] == 'Посадки':
            continue
        key('ctrl+Home', *['Down'] * line, 'Return')
        window(entry['caption'])
        hear(key('Insert+KP_Enter'), entry['caption'], f'the window of link {line + 1} read by its title')
        if entry['caption'] == 'Размерные цепи':
            # It opens on the task; Tab to the method and the probabilistic one from the
            # popup: the closing link's new tolerance is spoken, once, with its name.
            mark = key('Tab', 'alt+Down', 'Down', 'Return')
            hear(mark, 'Допуск замыкающего звена T 0,3366', 'the chain after a choice of the method', once=True)
        window('Мерилон')


if __name__ == '__main__':
    sys.exit(main())
