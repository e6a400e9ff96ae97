#!/usr/bin/env python3
"""Checks the demo seed, without Wine or against a seeded Wine prefix.

  check_seed.py            checks seed.reg against the demo folders: every
                           scheme has all its sections, counts match items,
                           and every picture or help path names a demo file.
  check_seed.py PREFIX     also reads the prefix's registry with `wine reg
                           query` and checks that it holds exactly what
                           seed.reg says (names with blanks, types, data),
                           that no key gained an unnamed default value, and
                           that the named files exist inside the prefix.
Exit status 0 when everything holds; each fault is printed.
"""

import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SEED = os.path.join(HERE, 'seed.reg')
PRODUCT = r'HKEY_LOCAL_MACHINE\Software\Orrinford\VexarLumen'
SCHEMES = PRODUCT + r'\Schemes'

# Windows folders of the demo machine and the demo folders they come from.
FOLDERS = {
    r'C:\Program Files\Orrinford\Vexar Lumen 2\Pictures': 'pictures',
    r'C:\Program Files\Orrinford\Vexar Lumen 2\User Pictures': 'user-pictures',
    r'C:\Program Files\Orrinford\Vexar Lumen Scheme Manager\Help': 'help',
}
PATH_VALUES = {'CollapsedIconFile', 'ExpandedIconFile', 'IconFile', 'HelpPath'}
TOOLBAR = ['Back', 'Forward', 'Up', 'Rename', 'New', 'Cut', 'Copy', 'Paste',
           'Delete', 'Undo', 'Print', 'Refresh', 'Icon', 'View', 'Help', 'Side']
ROOT_VALUES = ['RootDisplayName', 'RootPath', 'FolderLevels', 'CollapsedIconFile',
               'ExpandedIconFile', 'LongToolTip', 'ShortToolTip', 'Wav File', 'DenyModify']
LINK_VALUES = ['DisplayName', 'URL', 'IconFile', 'LongToolTip', 'ShortToolTip', 'Wav File']
DEFAULTS = ['DefaultView', 'DefaultIconSize', 'DefaultFirstTab', 'ShortToolTips', 'Silent',
            'Context Menu', 'Options Menu']

faults = []


def fault(msg):
    faults.append(msg)
    print('FAULT: ' + msg)


def unquote(s):
    assert s[0] == '"', s
    out, i = [], 1
    while s[i] != '"':
        if s[i] == '\\':
            i += 1
        out.append(s[i])
        i += 1
    return ''.join(out), s[i + 1:]


def parse_reg(path):
    """{key: {name: (type, data)}} in file order."""
    raw = open(path, 'rb').read()
    if b'\r\n' not in raw or re.search(rb'(?<!\r)\n', raw):
        fault('seed.reg must use CRLF line ends throughout')
    text = raw.decode('cp1252')
    lines = text.split('\r\n')
    if lines[0] != 'REGEDIT4':
        fault('seed.reg must start with REGEDIT4')
    keys, cur = {}, None
    for ln in lines[1:]:
        if not ln:
            continue
        if ln.startswith('['):
            cur = ln[1:-1]
            keys.setdefault(cur, {})
            continue
        if ln.startswith('@'):
            fault('default value in %s' % cur)
            continue
        name, rest = unquote(ln)
        assert rest[0] == '=', ln
        rest = rest[1:]
        if rest.startswith('dword:'):
            keys[cur][name] = ('REG_DWORD', int(rest[6:], 16))
        else:
            keys[cur][name] = ('REG_SZ', unquote(rest)[0])
    return keys


def host_file(win_path):
    folder, _, name = win_path.rpartition('\\')
    sub = FOLDERS.get(folder)
    return os.path.join(HERE, sub, name) if sub else None


def check_static(keys):
    schemes = keys.get(SCHEMES, {})
    if 'Default User' not in schemes:
        fault('no "Default User" scheme')
    for name in schemes:
        k = SCHEMES + '\\' + name
        if keys.get(k, {}).get('Scheme Name') != ('REG_SZ', name):
            fault('%s: "Scheme Name" missing or wrong' % name)
        n_roots = keys.get(k + r'\FolderDisplay', {}).get('RootFolderCount', (None, -1))[1]
        for n in range(1, n_roots + 1):
            vals = keys.get(k + r'\FolderDisplay\Root %d' % n, {})
            if list(vals) != ROOT_VALUES:
                fault('%s: Root %d values %s' % (name, n, list(vals)))
        if (k + r'\FolderDisplay\Root %d' % (n_roots + 1)) in keys or n_roots < 1:
            fault('%s: RootFolderCount %d does not match its roots' % (name, n_roots))
        n_links = keys.get(k + r'\WebLinks', {}).get('WebLinksCount', (None, -1))[1]
        for n in range(1, n_links + 1):
            if list(keys.get(k + r'\WebLinks\WebLink %d' % n, {})) != LINK_VALUES:
                fault('%s: WebLink %d incomplete' % (name, n))
        if (k + r'\WebLinks\WebLink %d' % (n_links + 1)) in keys or n_links < 0:
            fault('%s: WebLinksCount %d does not match its links' % (name, n_links))
        if list(keys.get(k + r'\TabSelection', {})) != ['Page1', 'Page2', 'Page3']:
            fault('%s: TabSelection incomplete' % name)
        for p in (1, 2, 3):
            if list(keys.get(k + r'\ToolBars\Page %d' % p, {})) != TOOLBAR:
                fault('%s: ToolBars Page %d incomplete' % (name, p))
        d = keys.get(k + r'\Defaults', {})
        if list(d) != DEFAULTS:
            fault('%s: Defaults incomplete' % name)
        elif d['DefaultView'][1] not in ('tree1', 'tree2', 'icons', 'details') or \
                d['DefaultFirstTab'][1] not in (1, 2, 3):
            fault('%s: Defaults out of range' % name)
        tabs = keys.get(k + r'\TabSelection', {})
        if d and tabs and tabs.get('Page%d' % d['DefaultFirstTab'][1], (0, 0))[1] != 1:
            fault('%s: first tab is not a shown tab' % name)
    for p in keys.get(PRODUCT + r'\Protected Schemes', {}):
        if p not in schemes:
            fault('protected scheme %s does not exist' % p)
    for key, vals in keys.items():
        for vname, (typ, data) in vals.items():
            if vname in PATH_VALUES:
                f = host_file(data)
                if f is None or not os.path.isfile(f):
                    fault('%s "%s" names no demo file: %s' % (key, vname, data))
    settings = keys.get(PRODUCT + r'\Settings', {})
    for v in ('Default Pictures', 'User Defined Pictures'):
        if settings.get(v, ('', ''))[1] not in FOLDERS:
            fault('Settings "%s" is not a demo picture folder' % v)


def query_prefix(prefix):
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG='-all')
    out = subprocess.run(['wine', 'reg', 'query', r'HKLM\Software\Orrinford', '/s'],
                         env=env, stdin=subprocess.DEVNULL, capture_output=True).stdout
    keys, cur = {}, None
    for ln in out.decode('cp1252').replace('\r', '').split('\n'):
        if ln.startswith('HKEY_'):
            cur = ln
            keys[cur] = {}
        elif ln.startswith('    ') and cur:
            parts = ln[4:].split('    ')
            name, typ, data = parts[0], parts[1], '    '.join(parts[2:])
            keys[cur][name] = (typ, int(data, 16) if typ == 'REG_DWORD' else data)
    return keys


def check_prefix(prefix, seed):
    got = query_prefix(prefix)
    for key, vals in seed.items():
        if key not in got:
            fault('prefix lacks key %s' % key)
            continue
        if got[key] != vals:
            fault('prefix key %s differs:\n  want %r\n  got  %r' % (key, vals, got[key]))
    for key, vals in got.items():
        if '(Default)' in vals or '' in vals:
            fault('prefix key %s has an unnamed default value' % key)
        if vals and key not in seed:
            fault('prefix key %s holds values the seed does not' % key)
    for key, vals in seed.items():
        for vname, (typ, data) in vals.items():
            if vname in PATH_VALUES or vname in ('Default Pictures', 'User Defined Pictures',
                                                 'Location'):
                rel = data[3:].replace('\\', '/') if data[:3].upper() == 'C:\\' else None
                target = os.path.join(prefix, 'drive_c', rel) if rel else None
                if not target or not os.path.exists(target):
                    fault('prefix lacks %s (from %s "%s")' % (data, key, vname))
    install = os.path.join(prefix, 'drive_c', 'Program Files', 'Orrinford',
                           'Vexar Lumen Scheme Manager')
    for f in ('Closed Folder.bmp', 'Open Folder.bmp', 'On-Line Resources.bmp',
              'defaultWebLink.bmp'):
        if not os.path.isfile(os.path.join(install, f)):
            fault('install folder lacks %s' % f)


def main():
    seed = parse_reg(SEED)
    check_static(seed)
    if len(sys.argv) > 1:
        check_prefix(os.path.abspath(sys.argv[1]), seed)
    print('%d fault(s)' % len(faults))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
