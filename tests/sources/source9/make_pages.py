#!/usr/bin/env python3
"""Writes the hdshelf.example fixture site and the bundled sample (GBK pages).

The film page links its download pages as /plus/download.php?QUERY; each download page
calls ConvertURL2FG('Flashget://PAYLOAD&id', ...). PAYLOAD is base64 of
"[FLASHGET]http://host/" + base64(link) + "/[FLASHGET]", padded so that the "&id" after it
costs only padding bytes; a file name after "mhts|" is base64 of its GBK bytes again.
"""
import base64
import os

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..', '..'))


def b64(data: bytes) -> str:
    return base64.b64encode(data).decode('ascii')


def flashget(link_head: str, name: str, ref: int) -> str:
    link = link_head.encode('gbk') + b'mhts|' + b64(name.encode('gbk')).encode('ascii') + b'|'
    segment = b64(link)
    assert '/' not in segment, (link_head, segment)  # the segment is cut between two "/"
    payload = b64(b'[FLASHGET]http://fg.hdshelf.example/' + segment.encode('ascii') + b'/[FLASHGET]')
    assert payload.endswith('='), payload  # without padding the "&id" would cost a real byte
    return 'Flashget://%s&%d' % (payload, ref)


def download_page(link_head: str, name: str, ref: int) -> str:
    return f'''<html><head><meta http-equiv="Content-Type" content="text/html; charset=gbk">
<title>下载地址</title></head><body>
<script language="javascript">
document.write("<a href=\\"#\\" onclick=\\"ConvertURL2FG('{flashget(link_head, name, ref)}','{link_head}',{ref})\\">快车下载</a>");
</script></body></html>
'''


def film_page(f) -> str:
    items = ''.join('<li><a href="/plus/download.php?open=0&aid=%d&cid=%d" target="_blank">%s</a></li>\n'
                    % (f['aid'], cid, name) for cid, (_, name) in f['downloads'])
    return f'''<html><head><meta http-equiv="Content-Type" content="text/html; charset=gbk">
<title>{f['title']} - 高清书架</title></head><body>
<div class="title"><h1><font color="#CC0000">{f['heading']}</font></h1></div>
<div class="content"><!--Content Start-->{f['intro']}<!-- JiaThis Button BEGIN -->
<div class="jiathis"></div><!-- JiaThis Button END --></div>
<ul class="downurllist">
{items}</ul>
</body></html>
'''


def write(path: str, text: str) -> None:
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='gbk', newline='') as out:
        out.write(text)


def write_site(root: str, f) -> None:
    base = os.path.join(root, 'www.hdshelf.example')
    write(os.path.join(base, f['film']), film_page(f))
    for cid, (head, name) in f['downloads']:
        query = 'open=0&aid=%d&cid=%d' % (f['aid'], cid)
        write(os.path.join(base, 'plus', 'download.php?' + query), download_page(head, name, 1000 + cid))


FIXTURE = dict(
    film='movie/4402.html', aid=4402, title='蓝色港湾', heading='蓝色港湾 1080P 国语中字',
    intro='<p>◎译　名　蓝色港湾<br>◎年　代　2011<BR>◎简　介<br><br><br>'
          '&nbsp;&nbsp;渔村少年阿海&ldquo;偷&rdquo;走了父亲的船&hellip;&hellip;<b>一去不回</b>。</p>\n'
          '<p><img src="http://img.hdshelf.example/uploads/4402-1.jpg" alt="蓝色港湾" /></p>',
    downloads=[(3, ('http://flashget.hdshelf.example/4402/', '蓝色港湾.1080P.国语中字.mkv')),
               (4, ('http://flashget.hdshelf.example/4402/', '蓝色港湾.720P.国语中字.mkv')),
               (5, ('http://flashget.hdshelf.example/4402/', '蓝色港湾.花絮.mkv'))],
)

SAMPLE = dict(
    film='movie/5230.html', aid=5230, title='山城往事', heading='山城往事 720P 国语中字',
    intro='<p>◎译　名　山城往事<br>◎年　代　2012<br>◎简　介<br><br>'
          '&nbsp;&nbsp;雾气弥漫的山城里，一家老茶馆见证了三代人的悲欢&hellip;&hellip;</p>\n'
          '<p><img src="http://img.hdshelf.example/uploads/5230-1.jpg" /></p>',
    downloads=[(3, ('http://flashget.hdshelf.example/5230/', '山城往事.720P.国语中字.mkv'))],
)

if __name__ == '__main__':
    write_site(HERE, FIXTURE)
    write_site(os.path.join(ROOT, 'samples'), SAMPLE)
