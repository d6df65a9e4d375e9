# SPDX-License-Identifier: MIT
# Drives Мерилон from the keyboard alone, as a blind user does, with the screen reader
# Orca running, and checks what Orca says: a list's caption and value, the results
# after a choice (whole and once), a result box's name and value on Tab (once), a list
# without an edit field by its own name and value, the fit after a choice, a message,
# and a button pressed with Return. Orca's speech goes to a file (tools/check-orca.sh
# sets that up); the check waits for what must be heard instead of sleeping fixed
# times.   Usage: check_orca.py PROGRAM SPOKEN_FILE
import subprocess
import sys
import time

program, spoken_file = sys.argv[1], sys.argv[2]
failures = []
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
    process = subprocess.Popen([program])
    try:
        drive()
    finally:
        process.terminate()
        process.wait()
    print(f'{time.monotonic() - start:.0f} s with Orca')
    for failure in failures:
        print('FAIL:', failure)
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
        found = subprocess.run(['xdotool', 'search', '--name', f'^{title}$'], capture_output=True, text=True)
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
    mark = key('Tab', 'Down')
    hear(mark, 'H7/g7, посадка с зазором, зазор наибольший 49 мкм, наименьший 7 мкм', 'the fit after a choice',
         once=True)
    # A size that is no number: the message is spoken.
    mark = key('shift+Tab', 'shift+Tab', 'shift+Tab', 'End', 'x')
    hear(mark, 'Размер не число', 'the size message')
    # Back in the main window, from the box at the bottom past the sizes to «О программе»:
    # Return presses it, and the About window opens on its licence.
    window('Мерилон')
    hear(key('Tab', 'Tab'), 'О программе', 'the About button')
    hear(key('Return'), 'Лицензионное соглашение', 'the About window opened with Return')


if __name__ == '__main__':
    sys.exit(main())
