#!/usr/bin/env python3
"""Writes the film pages of the showbay.example fixture site and of the bundled sample.

The site serves UTF-8. Its download area hides Flashget links in ConvertURL2FG calls:
base64 of "[FLASHGET]http://host/" + base64(link) + "/[FLASHGET]", where the link's
file name after "mhts|" is base64 of its GBK bytes once more.
"""
import base64
import os
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..', '..'))


def b64(data: bytes) -> str:
    return base64.b64encode(data).decode('ascii')


def flashget_payload(link_head: str, name: str) -> str:
    """The payload whose main decoding gives link_head + "mhts|" + name + "|"."""
    link = link_head.encode('ascii') + b'mhts|' + b64(name.encode('gbk')).encode('ascii') + b'|'
    segment = b64(link)
    assert '/' not in segment, segment  # the segment is cut between two "/"
    outer = b'[FLASHGET]http://fg.showbay.example/' + segment.encode('ascii') + b'/[FLASHGET]'
    return b64(outer)


def ed2k(name: str, size: int, digest: str) -> str:
    return 'ed2k://|file|%s|%d|%s|/' % (urllib.parse.quote(name, safe='.'), size, digest)


def film_page(f) -> str:
    calls = ''.join(
        '<li><script type="text/javascript">ConvertURL2FG(\'Flashget://%s\',\'%s\',%d)</script></li>\n'
        % (flashget_payload(head, name), head, f['id']) for head, name in f['flashget'])
    anchors = ''.join('<li><a href="%s" target="_blank">%s</a></li>\n' % (href, text)
                      for href, text in f['anchors'])
    return f'''<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>{f['name']} - 秀湾影视</title>
<script type="text/javascript">var playConf = {{id:{f['id']}, pic:'{f['pic']}', title:'{f['name']}'}};</script>
</head><body>
<div class="detail"><h1><strong>《{f['name']}》</strong></h1>
<ul><li><span>地区：</span><strong>{f['region']}</strong></li>
<li><span>上映：</span><span class="pubdate">{f['date']}</span></li></ul>
<div class="intro"><a href="javascript:;" class="more">[展开全文]</a>{f['intro']}</div><script type="text/javascript">showIntro();</script>
</div>
<div class="downlist"><div class="loading_tip">下载地址加载中……</div>
<ul>
{calls}{anchors}</ul>
<label><input type="checkbox" id="checkall">全选</label></div>
</body></html>
'''


FIXTURE = dict(
    id=1024, name='剧场风云', region='中国大陆', date='2012-08-17',
    pic='http://img.showbay.example/poster/1024.jpg',
    intro='<p>老剧场的看门人守了三十年&hellip;&hellip;直到一封来信打破了平静。</p>\n'
          '<p>&ldquo;戏不能停。&rdquo;他说&mdash;&mdash;<b>哪怕</b>台下只剩&lsquo;一个人&rsquo;。&nbsp;&amp;</p>',
    flashget=[('http://dl.showbay.example/flashget/1024/', '剧场风云.HD1280高清国语.mkv'),
              ('http://dl.showbay.example/flashget/1025/', '剧场风云.花絮.mkv')],
    anchors=[(ed2k('剧场风云.HD1280高清国语.mkv', 1468006400, '8D5C0B5C6F0A3E2A47C5B6E41B7E0C1D'), '电驴'),
             (' ' + ed2k('剧场风云.粤语.mkv', 1402112000, '0A1B2C3D4E5F60718293A4B5C6D7E8F9'), '电驴'),
             ('magnet:?xt=urn:btih:5e1c0a9f3b7d2c4a6e8f0b1d3c5a7e9f2b4d6c8a&dn='
              + urllib.parse.quote('剧场风云'), '磁力'),
             ('Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9kbC5zaG93YmF5LmV4YW1wbGUvMTAyNC5ta3ZbRkxBU0hHRVRd&1024', '快车')],
)

SAMPLE = dict(
    id=2086, name='雪夜归途', region='中国香港', date='2013-01-25',
    pic='http://img.showbay.example/poster/2086.jpg',
    intro='<p>大雪封山的除夕夜，一辆长途客车被困在半山腰&hellip;&hellip;</p>\n'
          '<p>车上七个陌生人，&ldquo;谁也不许下车。&rdquo;司机说。</p>',
    flashget=[('http://dl.showbay.example/flashget/2086/', '雪夜归途.BD1080国粤双语.mkv')],
    anchors=[(ed2k('雪夜归途.BD1080国粤双语.mkv', 2147483648, 'C4A1E2B3D4F5061728394A5B6C7D8E9F'), '电驴'),
             ('magnet:?xt=urn:btih:0f2e4d6c8b0a1f3e5d7c9b1a2f4e6d8c0b2a4f6e&dn='
              + urllib.parse.quote('雪夜归途'), '磁力')],
)


def write(path: str, text: str) -> None:
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='utf-8', newline='') as out:
        out.write(text)


if __name__ == '__main__':
    write(os.path.join(HERE, 'www.showbay.example', 'movie', '1024.html'), film_page(FIXTURE))
    write(os.path.join(ROOT, 'samples', 'www.showbay.example', 'movie', '2086.html'), film_page(SAMPLE))
