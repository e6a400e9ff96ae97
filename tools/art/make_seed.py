#!/usr/bin/env python3
"""Writes tools/demo/seed.reg: the registry of the demo school workstation.

The schemes below are what a school with an infant, junior and secondary
site might keep.  The file is REGEDIT4 (ANSI, CRLF) for `regedit /S`.
Every picture named here is a file of tools/demo/pictures or
tools/demo/user-pictures, installed by seed-prefix.sh.
"""

import os

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
OUT = os.path.join(ROOT, 'tools', 'demo', 'seed.reg')

HKLM = 'HKEY_LOCAL_MACHINE'
PRODUCT = r'Software\Orrinford\VexarLumen'
PICTURES = r'C:\Program Files\Orrinford\Vexar Lumen 2\Pictures'
USER_PICTURES = r'C:\Program Files\Orrinford\Vexar Lumen 2\User Pictures'
INSTALL = r'C:\Program Files\Orrinford\Vexar Lumen Scheme Manager'
NO_LIMIT = -1

TOOLBAR_NAMES = ['Back', 'Forward', 'Up', 'Rename', 'New', 'Cut', 'Copy', 'Paste',
                 'Delete', 'Undo', 'Print', 'Refresh', 'Icon', 'View', 'Help', 'Side']


def pic(name):
    return PICTURES + '\\' + name + '.bmp'


def user_pic(name):
    return USER_PICTURES + '\\' + name + '.bmp'


def root(name, path, collapsed, expanded='Open Folder', levels=NO_LIMIT, deny=0,
         long_tip=None, short_tip=None, wav=''):
    return {
        'RootDisplayName': name,
        'RootPath': path,
        'FolderLevels': levels,
        'CollapsedIconFile': collapsed,
        'ExpandedIconFile': pic(expanded),
        'LongToolTip': long_tip or 'Open %s' % name,
        'ShortToolTip': short_tip or name,
        'Wav File': wav,
        'DenyModify': deny,
    }


def link(name, url, icon, long_tip=None, short_tip=None, wav=''):
    return {
        'DisplayName': name,
        'URL': url,
        'IconFile': icon,
        'LongToolTip': long_tip or 'Go to %s' % name,
        'ShortToolTip': short_tip or name,
        'Wav File': wav,
    }


def toolbar(on):
    return {n: (1 if n in on else 0) for n in TOOLBAR_NAMES}


BROWSE = {'Back', 'Forward', 'Up', 'Refresh', 'Help'}
ALL = set(TOOLBAR_NAMES)
PUPIL_FILES = BROWSE | {'New', 'Rename', 'Cut', 'Copy', 'Paste', 'Undo', 'View'}


def defaults(view, icon_size, first_tab, short_tips, silent, context, options):
    return {'DefaultView': view, 'DefaultIconSize': icon_size, 'DefaultFirstTab': first_tab,
            'ShortToolTips': short_tips, 'Silent': silent, 'Context Menu': context,
            'Options Menu': options}


SCHOOL_SITE = link('School Website', 'http://www.hollinbrook.sch.uk/', pic('School Website'),
                   'The school\'s own website', 'School')
SEARCH = link('Safe Search', 'http://search.hollinbrook.sch.uk/', pic('Search'),
              'Search the web safely', 'Search')
LIBRARY = link('Library Catalogue', 'http://library.hollinbrook.sch.uk/', user_pic('Library'),
               'Find a book in the school library', 'Library')
NEWS = link('News for Schools', 'http://news.hollinbrook.sch.uk/', pic('News'),
            'Today\'s news for pupils', 'News')
MAIL = link('Staff Email', 'http://mail.hollinbrook.sch.uk/', pic('Email'),
            'Read your school email', 'Email')
DICTIONARY = link('Online Dictionary', 'http://dictionary.hollinbrook.sch.uk/', pic('English'),
                  'Look up a word', 'Dictionary')

SCHEMES = [
    {
        'name': 'Default User',
        'description': 'Starting point for new schemes',
        'roots': [
            root('My Work', 'H:\\', pic('My Work'), long_tip='Your own work folder',
                 short_tip='My Work'),
            root('Shared Work', 'S:\\Shared Work', pic('Shared Work'), deny=1,
                 long_tip='Work shared by your teachers'),
        ],
        'links': [SCHOOL_SITE],
        'tabs': (1, 1, 1),
        'toolbars': (toolbar(BROWSE), toolbar(PUPIL_FILES), toolbar(BROWSE | {'Print'})),
        'defaults': defaults('icons', 32, 1, 0, 0, 1, 1),
    },
    {
        'name': 'Infants',
        'description': 'Reception to Year 2: big pictures and a talking helper',
        'roots': [
            root('My Work', 'H:\\', pic('My Work'), levels=1,
                 long_tip='Your own work', short_tip='Mine'),
            root('Art', 'S:\\Infants\\Art', pic('Art'), deny=1,
                 long_tip='Pictures to look at and colour in', short_tip='Art'),
            root('Music', 'S:\\Infants\\Music', pic('Music'), deny=1,
                 long_tip='Songs and sounds', short_tip='Music'),
        ],
        'links': [SCHOOL_SITE],
        'tabs': (1, 1, 0),
        'toolbars': (toolbar({'Back', 'Forward', 'Help'}), toolbar({'Back', 'Forward', 'Up',
                     'Refresh', 'Help', 'Print'}), toolbar({'Back', 'Forward', 'Help'})),
        'defaults': defaults('icons', 48, 1, 1, 0, 0, 0),
    },
    {
        'name': 'Juniors',
        'description': 'Years 3 to 6',
        'roots': [
            root('My Work', 'H:\\', pic('My Work'), levels=2),
            root('Homework', 'H:\\Homework', pic('Homework'), levels=1),
            root('Shared Work', 'S:\\Juniors', pic('Shared Work'), deny=1),
            root('Maths', 'S:\\Juniors\\Maths', pic('Maths'), deny=1),
            root('Science', 'S:\\Juniors\\Science', pic('Science'), deny=1),
        ],
        'links': [SCHOOL_SITE, SEARCH, DICTIONARY],
        'tabs': (1, 1, 1),
        'toolbars': (toolbar(BROWSE), toolbar(BROWSE | {'New', 'Rename', 'Print', 'Icon'}),
                     toolbar(BROWSE | {'Print'})),
        'defaults': defaults('tree1', 32, 2, 1, 0, 0, 0),
    },
    {
        'name': 'Year 7',
        'description': 'First year of secondary school',
        'roots': [
            root('My Work', 'H:\\', pic('My Work'), levels=3),
            root('Homework', 'H:\\Homework', pic('Homework'), levels=2),
            root('Hand In', 'T:\\Hand In\\Year 7', pic('Hand In'), levels=1,
                 long_tip='Put finished work here for your teacher'),
            root('English', 'S:\\Year 7\\English', pic('English'), deny=1),
            root('Maths', 'S:\\Year 7\\Maths', pic('Maths'), deny=1),
            root('Science', 'S:\\Year 7\\Science', pic('Science'), deny=1),
            root('Geography', 'S:\\Year 7\\Geography', pic('Geography'), deny=1),
            root('History', 'S:\\Year 7\\History', pic('History'), deny=1),
        ],
        'links': [SCHOOL_SITE, SEARCH, LIBRARY, NEWS],
        'tabs': (1, 1, 1),
        'toolbars': (toolbar(BROWSE), toolbar(PUPIL_FILES | {'Delete', 'Print', 'Icon'}),
                     toolbar(BROWSE | {'Copy', 'Print'})),
        'defaults': defaults('tree2', 32, 2, 0, 1, 1, 0),
    },
    {
        'name': 'Sixth Form',
        'description': 'Years 12 and 13: the full toolbar',
        'roots': [
            root('My Work', 'H:\\', pic('My Work')),
            root('Shared Work', 'S:\\Sixth Form', pic('Shared Work')),
            root('ICT', 'S:\\Sixth Form\\ICT', pic('ICT'), deny=1),
            root('Languages', 'S:\\Sixth Form\\Languages', pic('Languages'), deny=1),
        ],
        'links': [SCHOOL_SITE, SEARCH, LIBRARY, NEWS, MAIL],
        'tabs': (1, 1, 1),
        'toolbars': (toolbar(ALL), toolbar(ALL), toolbar(ALL)),
        'defaults': defaults('details', 16, 2, 0, 1, 1, 1),
    },
    {
        'name': 'Staff',
        'description': 'Teaching and support staff',
        'roots': [
            root('My Documents', 'H:\\', pic('My Work')),
            root('Shared Work', 'S:\\', pic('Shared Work')),
            root('Hand In', 'T:\\Hand In', pic('Hand In'),
                 long_tip='Work handed in by pupils'),
            root('Exam Papers', 'T:\\Exams', pic('Exam Papers'), levels=2,
                 long_tip='Exam papers: keep these private'),
            root('School Events', 'S:\\Events', user_pic('Sports Day'),
                 long_tip='Sports day, trips and concerts'),
        ],
        'links': [SCHOOL_SITE, MAIL, LIBRARY,
                  link('Eco Club', 'http://www.hollinbrook.sch.uk/eco/', user_pic('Eco Club'))],
        'tabs': (1, 1, 1),
        'toolbars': (toolbar(ALL), toolbar(ALL), toolbar(ALL)),
        'defaults': defaults('details', 16, 2, 0, 1, 1, 1),
    },
    {
        'name': 'Exam Room',
        'description': 'Locked down for examinations: no web links',
        'roots': [
            root('Exam Work', 'H:\\Exam', pic('Exam Papers'), levels=1,
                 long_tip='Save your exam work here', short_tip='Exam'),
        ],
        'links': [],
        'tabs': (1, 1, 0),
        'toolbars': (toolbar({'Help'}), toolbar({'Back', 'Forward', 'Up', 'Refresh', 'Help'}),
                     toolbar({'Help'})),
        'defaults': defaults('icons', 32, 2, 0, 1, 0, 0),
    },
]

PROTECTED = ['Default User', 'Exam Room']

SETTINGS = {
    'Default Pictures': PICTURES,
    'User Defined Pictures': USER_PICTURES,
    'msAgent Path': r'C:\windows\msagent\chars\Merlin.acs',
}


def quote(text):
    return '"' + text.replace('\\', '\\\\').replace('"', '\\"') + '"'


def value(name, data):
    if isinstance(data, int):
        return '%s=dword:%08x' % (quote(name), data & 0xFFFFFFFF)
    return '%s=%s' % (quote(name), quote(data))


def key(path, values):
    lines = ['[%s\\%s]' % (HKLM, path)]
    lines += [value(n, d) for n, d in values]
    return lines + ['']


def build():
    out = ['REGEDIT4', '']
    schemes = PRODUCT + '\\Schemes'
    out += key(schemes, [(s['name'], s['description']) for s in SCHEMES])
    for s in SCHEMES:
        k = schemes + '\\' + s['name']
        out += key(k, [('Scheme Name', s['name'])])
        out += key(k + '\\FolderDisplay', [('RootFolderCount', len(s['roots']))])
        for n, r in enumerate(s['roots'], 1):
            out += key(k + '\\FolderDisplay\\Root %d' % n, list(r.items()))
        out += key(k + '\\WebLinks', [('WebLinksCount', len(s['links']))])
        for n, w in enumerate(s['links'], 1):
            out += key(k + '\\WebLinks\\WebLink %d' % n, list(w.items()))
        out += key(k + '\\TabSelection', [('Page%d' % (i + 1), v) for i, v in enumerate(s['tabs'])])
        for n, page in enumerate(s['toolbars'], 1):
            out += key(k + '\\ToolBars\\Page %d' % n, [(b, page[b]) for b in TOOLBAR_NAMES])
        out += key(k + '\\Defaults', list(s['defaults'].items()))
    out += key(PRODUCT + '\\Protected Schemes', [(n, '') for n in PROTECTED])
    out += key(PRODUCT + '\\Settings', list(SETTINGS.items()))
    out += key(r'Software\Orrinford\VexarLumen Scheme Manager',
               [('HelpPath', INSTALL + r'\Help\Scheme Manager Help.htm')])
    out += key(r'Software\Orrinford\Vexar Lumen Scheme Manager', [('Location', INSTALL)])
    return '\r\n'.join(out) + '\r\n'


def main():
    with open(OUT, 'wb') as f:
        f.write(build().encode('cp1252'))


if __name__ == '__main__':
    main()
