#!/usr/bin/env python3
"""Writes the movieden.example fixture film page and the bundled sample (UTF-8).

Its download list holds "Flashget://" links in value attributes: base64 of
"[FLASHGET]http://host/" + base64(link) + "/[FLASHGET]", the link in GBK; a file name
after "mhts|" is base64 of its GBK bytes once more.
"""
import base64
import os

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..', '..'))


def b64(data: bytes) -> str:
    return base64.b64encode(data).decode('ascii')


def flashget(link: str, name: str = None) -> str:
    raw = link.encode('gbk')
    if name is not None:
        raw += b'mhts|' + b64(name.encode('gbk')).encode('ascii') + b'|'
    segment = b64(raw)
    assert '/' not in segment, (link, segment)  # the segment is cut between two "/"
    return 'Flashget://' + b64(b'[FLASHGET]http://fg.dlforum.example/' + segment.encode('ascii') + b'/[FLASHGET]')


def film_page(f) -> str:
    rows = ''.join('<tr><td><input type="checkbox" name="dl" value="%s" checked> %s</td></tr>\n'
                   % (flashget(*link), label) for label, link in f['links'])
    return f'''<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>{f['name']} - 影巢下载</title></head><body>
<form action="/search.php"><input type="text" name="q" value="输入片名"><input type="submit" value="搜索"></form>
<div class="main"><h1>{f['heading']}</h1>
<div class="side2">{f['intro']}<a href="#down">↑返回到下载列表</a></div>
<div id="down"><table class="downlist">
{rows}</table></div></div>
</body></html>
'''


FIXTURE = dict(
    dir='html/2012/0815/3517.html', name='无声场景', heading='【1080P】无声场景[国语中字]',
    intro='<p><b>◎片　名</b>　无声场景<BR>◎年　代　2012<br>◎简　介<BR><BR><BR>'
          '&nbsp;&nbsp;失聪的录音师在&lsquo;片场&rsquo;听见了&ldquo;不存在的声音&rdquo;&hellip;&mdash;<i>真相</i>只有一个。</p>'
          '<p><IMG src="http://img.movieden.example/2012/3517-1.jpg" alt="1"><img src="http://img.movieden.example/2012/3517-2.jpg"></p>',
    links=[('无声场景.CD1.rmvb', ('ftp://dl:dl@ftp.dlforum.example/2012/[下载库论坛www.dlforum.example]无声场景.CD1.rmvb',)),
           ('无声场景.CD2.rmvb', ('ftp://dl:dl@ftp.dlforum.example/2012/[下载库论坛www.dlforum.example]无声场景.CD2.rmvb',)),
           ('快车专用', ('http://dl.dlforum.example/flashget/3517/', '无声场景.1080P.mkv'))],
)

SAMPLE = dict(
    dir='html/2013/0302/4120.html', name='长街夜雨', heading='【高清】长街夜雨[粤语中字]',
    intro='<p><b>◎片　名</b>　长街夜雨<br>◎年　代　2013<br>◎简　介<br><br>'
          '&nbsp;&nbsp;一场夜雨，一条长街，一个等了十年的人&hellip;&hellip;</p>'
          '<p><img src="http://img.movieden.example/2013/4120-1.jpg"></p>',
    links=[('长街夜雨.HD.rmvb', ('ftp://dl:dl@ftp.dlforum.example/2013/[下载库论坛www.dlforum.example]长街夜雨.HD.rmvb',)),
           ('快车专用', ('http://dl.dlforum.example/flashget/4120/', '长街夜雨.HD.rmvb'))],
)


def write(path: str, text: str) -> None:
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='utf-8', newline='') as out:
        out.write(text)


if __name__ == '__main__':
    write(os.path.join(HERE, 'www.movieden.example', FIXTURE['dir']), film_page(FIXTURE))
    write(os.path.join(ROOT, 'samples', 'www.movieden.example', SAMPLE['dir']), film_page(SAMPLE))
