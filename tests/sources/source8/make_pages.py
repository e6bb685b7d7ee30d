#!/usr/bin/env python3
"""Writes the playlot.example fixture site and the bundled sample (GBK pages).

A film page lists its play pages as href="play_N.html"; each play page holds one
download link, either a Thunder link - "thunder://" + base64("AA" + address + "ZZ"),
the address in GBK - or a player parameter param_URL="...".
"""
import base64
import os

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..', '..'))


def thunder(address: str) -> str:
    return 'thunder://' + base64.b64encode(b'AA' + address.encode('gbk') + b'ZZ').decode('ascii')


def thunder_page(address: str) -> str:
    return f'''<html><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>迅雷高速下载</title></head><body>
<script type="text/javascript">
var thunderUrl = encodeURIComponent('{thunder(address)[len("thunder://"):]}');
document.write('<a href="#" onclick="OnDownloadClick_Simple(this)" thunderHref="thunder://' + thunderUrl + '">迅雷下载</a>');
</script></body></html>
'''.replace("encodeURIComponent('", "encodeURIComponent('thunder://")


def player_page(url: str) -> str:
    return f'''<html><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>在线播放</title></head><body>
<script type="text/javascript">var param_URL="{url}";var param_Width=640;</script>
<script type="text/javascript" src="/js/player.js"></script></body></html>
'''


def film_page(f) -> str:
    plays = ''.join('<li><a href="play_%d.html" target="_blank">%s</a></li>\n' % (i + 1, label)
                    for i, (label, _) in enumerate(f['plays']))
    return f'''<html><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>{f['name']} - 播放乐园</title></head><body>
<div class="soft"><ul>
<li class="pic"><img src="{f['pic']}" alt="{f['name']}" /></li>
<li>类　　型： <font color="#009999">{f['genre']}</font></li>
<li>上　　映： {f['year']}</li>
<li>语　　言： {f['language']}</li>
</ul></div>
<div class="text2">剧情介绍</div>
<div class="text2"><font color="#FF6600">温馨提示：本站资源均来自网友分享</font></div><div class="ad">广告位招租</div>
{f['intro']}
</div>
<div class="text2"><ul class="playlist">
{plays}</ul></div>
</body></html>
'''


FIXTURE = dict(
    dir='movie/3301', name='风声鹤唳', genre='剧情片', year='2011年', language='国语',
    pic='http://img.playlot.example/cover/3301.jpg',
    intro='<p>民国二十六年，上海。<BR>一份密电在军统内部流转&hellip;&hellip;<br>\n'
          '<b>谁是内鬼？</b>&ldquo;老鬼&rdquo;的真实身份&mdash;&mdash;扑朔迷离。</p>\n'
          '<IMG src="http://img.playlot.example/shot/3301-1.jpg" border=0><img src="http://img.playlot.example/shot/3301-2.jpg">',
    plays=[('第01集 迅雷', thunder_page('ftp://dy:dy@ftp.playlot.example/风声鹤唳/[www.playlot.example]风声鹤唳.第01集.rmvb')),
           ('第01集 百度影音', player_page('bdhd://233015744|8E7E2D5F0A1C3B4D6E8F9A0B1C2D3E4F|风声鹤唳.第01集.rmvb')),
           ('第02集 迅雷', thunder_page('ftp://dy:dy@ftp.playlot.example/风声鹤唳/[www.playlot.example]风声鹤唳.第02集.rmvb')),
           ('第02集 百度影音', player_page(' bdhd://241170432|0F1E2D3C4B5A69788796A5B4C3D2E1F0|风声鹤唳.第02集.rmvb '))],
)

SAMPLE = dict(
    dir='movie/5120', name='雾都来信', genre='悬疑片', year='2013年', language='粤语',
    pic='http://img.playlot.example/cover/5120.jpg',
    intro='<p>一封寄错地址的信，把两个素不相识的人卷进同一桩旧案。<br>\n'
          '&ldquo;信上的字迹，是我父亲的。&rdquo;</p>\n'
          '<img src="http://img.playlot.example/shot/5120-1.jpg">',
    plays=[('高清 迅雷', thunder_page('ftp://dy:dy@ftp.playlot.example/雾都来信/[www.playlot.example]雾都来信.粤语中字.rmvb')),
           ('高清 百度影音', player_page('bdhd://389021184|7A6B5C4D3E2F10213243546576879809|雾都来信.粤语中字.rmvb'))],
)


def write(path: str, text: str) -> None:
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='gbk', newline='') as out:
        out.write(text)


def write_site(root: str, f) -> None:
    base = os.path.join(root, 'www.playlot.example', f['dir'])
    write(os.path.join(base, 'index.html'), film_page(f))
    for i, (_, page) in enumerate(f['plays']):
        write(os.path.join(base, 'play_%d.html' % (i + 1)), page)


if __name__ == '__main__':
    write_site(HERE, FIXTURE)
    write_site(os.path.join(ROOT, 'samples'), SAMPLE)
