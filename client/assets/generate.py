#!/usr/bin/env python3
"""Draws the client's artwork.

Every picture is described here as SVG; the script writes each SVG beside
the picture it renders (art/<group>/<name>.svg -> .png/.jpg/.gif, and
skins/皮肤N.svg -> 皮肤N.jpg), so the look is changed in one place and the
build only needs the committed results.

Needs rsvg-convert (librsvg2-bin), ImageMagick's convert and the
WenQuanYi Micro Hei font (fonts-wqy-microhei).

    client/assets/generate.py            # everything
    client/assets/generate.py skins      # only names containing "skins"
"""

import math
import os
import random
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = "WenQuanYi Micro Hei"

DEEP = "#1565C0"
SKY = "#42A5F5"
GREEN = "rgb(101,191,5)"
LIME = "rgb(128,224,0)"
ORANGE = "#FB8C00"
GREY = "#9E9E9E"
PANEL = "#F5F5F5"
RED = "#E53935"

ONLY = sys.argv[1] if len(sys.argv) > 1 else ""


def svg(w, h, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n<defs>{defs}</defs>\n{body}\n</svg>\n')


def rasterise(svg_path, png_path, w, h):
    subprocess.run(["rsvg-convert", "-w", str(w), "-h", str(h), "-o", png_path, svg_path],
                   check=True)


def write(rel, w, h, body, defs="", fmt="png"):
    """Writes art/<rel>.svg and renders art/<rel>.<fmt>."""
    if ONLY and ONLY not in rel:
        return
    base = os.path.join(HERE, rel)
    os.makedirs(os.path.dirname(base), exist_ok=True)
    with open(base + ".svg", "w", encoding="utf-8") as f:
        f.write(svg(w, h, body, defs))
    if fmt == "png":
        rasterise(base + ".svg", base + ".png", w, h)
    else:
        with tempfile.TemporaryDirectory() as tmp:
            png = os.path.join(tmp, "p.png")
            rasterise(base + ".svg", png, w, h)
            subprocess.run(["convert", png, "-background", "white", "-flatten",
                            "-strip", "-quality", "90", "-sampling-factor", "4:2:0",
                            base + ".jpg"], check=True)
    print(rel + "." + fmt)


def write_gif(rel, w, h, frames, delay=8, background=None):
    """frames: list of SVG bodies; writes art/<rel>.svg (first frame) and .gif."""
    if ONLY and ONLY not in rel:
        return
    base = os.path.join(HERE, rel)
    os.makedirs(os.path.dirname(base), exist_ok=True)
    with open(base + ".svg", "w", encoding="utf-8") as f:
        f.write(svg(w, h, frames[0]))
    with tempfile.TemporaryDirectory() as tmp:
        pngs = []
        for i, body in enumerate(frames):
            s = os.path.join(tmp, f"f{i:02}.svg")
            p = os.path.join(tmp, f"f{i:02}.png")
            with open(s, "w", encoding="utf-8") as f:
                f.write(svg(w, h, body))
            rasterise(s, p, w, h)
            pngs.append(p)
        args = ["convert", "-delay", str(delay), "-loop", "0", "-dispose", "background"]
        if background:
            args += ["-background", background]
        args += pngs
        if background:
            args += ["-alpha", "remove"]
        subprocess.run(args + [base + ".gif"], check=True)
    print(rel + ".gif")


def shadow_chain(dy, sd, colour, opacity):
    """A drop shadow as primitives librsvg renders everywhere."""
    return (f'<feGaussianBlur in="SourceAlpha" stdDeviation="{sd}"/><feOffset dy="{dy}" result="b"/>'
            f'<feFlood flood-color="{colour}" flood-opacity="{opacity}"/><feComposite in2="b" operator="in"/>'
            '<feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>')


def text(x, y, s, size, fill="#fff", weight="normal", anchor="middle", extra=""):
    return (f'<text x="{x}" y="{y}" font-family="{FONT}" font-size="{size}" '
            f'font-weight="{weight}" fill="{fill}" text-anchor="{anchor}" {extra}>{s}</text>')


# ---------------------------------------------------------------- icons
# Feature icons are drawn on a 48-unit grid, white rounded strokes.

def stroke(width=2.6, colour="#fff"):
    return (f'fill="none" stroke="{colour}" stroke-width="{width}" '
            'stroke-linecap="round" stroke-linejoin="round"')


STROKE = stroke()

ICONS = {
    # website check-up: a monitor with a pulse line
    "checkup": f'''<rect x="5" y="8" width="38" height="27" rx="4" {STROKE}/>
        <path d="M18 41h12M24 35v6" {STROKE}/>
        <path d="M10 22h7l3-6 5 12 3-6h10" {STROKE}/>''',
    # content management: a page with lines and a pen
    "content": f'''<path d="M30 6H13a4 4 0 0 0-4 4v28a4 4 0 0 0 4 4h13" {STROKE}/>
        <path d="M16 15h14M16 22h14M16 29h8" {STROKE}/>
        <path d="M39 22l4 4-11 11h-4v-4z" {STROKE}/>''',
    # mobile: a phone
    "mobile": f'''<rect x="13" y="4" width="22" height="40" rx="5" {STROKE}/>
        <path d="M21 9h6" {STROKE}/><circle cx="24" cy="37.5" r="1.8" fill="#fff"/>
        <path d="M18 25l4 4 8-9" {STROKE}/>''',
    # query statistics: bars and a trend
    "statistics": f'''<path d="M7 42h35" {STROKE}/>
        <path d="M12 36v-8M20 36V22M28 36v-10M36 36V16" {stroke(4)}/>
        <path d="M10 20l9-8 8 6 12-11" {STROKE}/><path d="M33 7h6v6" {STROKE}/>''',
    # order query: a receipt
    "order": f'''<path d="M11 5h26v38l-4.3-3-4.4 3-4.3-3-4.3 3-4.4-3-4.3 3z" {STROKE}/>
        <path d="M17 15h14M17 22h14M17 29h9" {STROKE}/>''',
    # whole-network marketing: a globe with a rising arrow
    "marketing": f'''<circle cx="22" cy="25" r="16" {STROKE}/>
        <path d="M6 25h32M22 9c-5 5-6.5 10-6.5 16s1.5 11 6.5 16M22 9c5 5 6.5 10 6.5 16s-1.5 11-6.5 16" {STROKE}/>
        <path d="M31 11l10-7M34 4h7v7" {STROKE}/>''',
    # information publishing: a paper plane
    "publishing": f'''<path d="M43 6L5 21l14 6 4 15 6-10 9 6z" {STROKE}/>
        <path d="M19 27L43 6" {STROKE}/>''',
    # regional marketing: a map pin over a map
    "regional": f'''<path d="M24 42s-12-11-12-21a12 12 0 0 1 24 0c0 10-12 21-12 21z" {STROKE}/>
        <circle cx="24" cy="21" r="4.5" {STROKE}/>
        <path d="M10 36l-5 6h38l-5-6" {STROKE}/>''',
    # WeChat marketing: two speech bubbles
    "wechat": f'''<path d="M19 8c-8.3 0-15 5.6-15 12.5 0 3.9 2.1 7.3 5.4 9.6L8 35l6-3c1.6.4 3.2.6 5 .6" {STROKE}/>
        <path d="M33 18c6.6 0 12 4.5 12 10s-1.6 6.4-4.3 8.2L42 41l-5-2.5c-1.2.3-2.6.5-4 .5-6.6 0-12-4.5-12-10s5.4-11 12-11z" {STROKE}/>
        <circle cx="14" cy="18" r="1.8" fill="#fff"/><circle cx="23" cy="18" r="1.8" fill="#fff"/>
        <circle cx="29" cy="28" r="1.6" fill="#fff"/><circle cx="37" cy="28" r="1.6" fill="#fff"/>''',
}

FEATURE_SIZES = {"checkup": (48, 48), "content": (45, 45), "mobile": (48, 48),
                 "statistics": (45, 45), "order": (45, 45), "marketing": (45, 45),
                 "publishing": (41, 40), "regional": (40, 40), "wechat": (48, 48)}

SHADOW = ('<filter id="soft" x="-20%" y="-20%" width="140%" height="140%">'
          + shadow_chain(1, 0.8, "#0D47A1", 0.45) + '</filter>')


def feature_icons():
    for name, (w, h) in FEATURE_SIZES.items():
        s = min(w, h) / 48.0
        body = (f'<g filter="url(#soft)" transform="translate({(w - 48 * s) / 2:.2f} '
                f'{(h - 48 * s) / 2:.2f}) scale({s:.4f})">{ICONS[name]}</g>')
        write(f"art/feature/{name}", w, h, body, SHADOW)


def highlights():
    for name, fill, line in (("highlight", 0.20, 0.42), ("highlight_hover", 0.30, 0.60)):
        body = (f'<rect x="1" y="1" width="78" height="73" rx="9" fill="#fff" fill-opacity="{fill}" '
                f'stroke="#fff" stroke-opacity="{line}" stroke-width="1.2"/>'
                f'<rect x="2" y="2" width="76" height="30" rx="8" fill="url(#gloss)"/>')
        defs = ('<linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1">'
                '<stop offset="0" stop-color="#fff" stop-opacity="0.22"/>'
                '<stop offset="1" stop-color="#fff" stop-opacity="0"/></linearGradient>')
        write(f"art/frame/{name}", 80, 75, body, defs)


# ---------------------------------------------------------------- title strip

def hover_plate(w, h, colour="#fff", opacity=0.22):
    return f'<rect x="1" y="1" width="{w - 2}" height="{h - 2}" rx="4" fill="{colour}" fill-opacity="{opacity}"/>'


def title_buttons():
    def close_body(w, h, plate):
        cx, cy = w / 2, h / 2
        return plate + (f'<path d="M{cx - 5} {cy - 5}l10 10M{cx + 5} {cy - 5}l-10 10" '
                        f'{stroke(2)}/>')

    write("art/title/close", 28, 25, close_body(28, 25, ""))
    write("art/title/close_hover", 28, 25, close_body(28, 25, hover_plate(28, 25, RED, 0.95)))
    write("art/title/close_down", 28, 25, close_body(28, 25, hover_plate(28, 25, "#B71C1C", 1)))

    def minimise_body(w, h, plate):
        return plate + f'<path d="M{w / 2 - 6} {h / 2 + 2}h12" {stroke(2)}/>'

    write("art/title/minimise", 27, 22, minimise_body(27, 22, ""))
    write("art/title/minimise_hover", 27, 22, minimise_body(27, 22, hover_plate(27, 22)))
    write("art/title/minimise_down", 27, 22, minimise_body(27, 22, hover_plate(27, 22, "#fff", 0.38)))

    def skin_body(w, h, plate):
        # a shirt: the skin of the window
        x, y = w / 2 - 8, h / 2 - 7
        return plate + (f'<path d="M{x + 5} {y}l-5 3 2 4 2-1v9h8v-9l2 1 2-4-5-3'
                        f'c-.6 1.6-2 2.5-3 2.5s-2.4-.9-3-2.5z" {stroke(1.6)}/>')

    write("art/title/skin", 27, 25, skin_body(27, 25, ""))
    write("art/title/skin_hover", 27, 25, skin_body(27, 25, hover_plate(27, 25)))
    write("art/title/skin_down", 27, 25, skin_body(27, 25, hover_plate(27, 25, "#fff", 0.38)))

    def menu_body(w, h, plate):
        x = w / 2 - 6
        return plate + (f'<path d="M{x} {h / 2 - 4}h12M{x} {h / 2}h12M{x} {h / 2 + 4}h12" '
                        f'{stroke(1.8)}/>')

    write("art/title/menu", 27, 22, menu_body(27, 22, ""))
    write("art/title/menu_hover", 26, 22, menu_body(26, 22, hover_plate(26, 22)))
    write("art/title/menu_down", 26, 22, menu_body(26, 22, hover_plate(26, 22, "#fff", 0.38)))

    defs = (f'<linearGradient id="g" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="{SKY}"/>'
            f'<stop offset="1" stop-color="{DEEP}"/></linearGradient>')
    body = ('<rect x="8" y="8" width="240" height="240" rx="54" fill="url(#g)"/>'
            '<path d="M64 76l64 112 64-112" fill="none" stroke="#fff" stroke-width="26" '
            'stroke-linecap="round" stroke-linejoin="round"/>'
            f'<circle cx="192" cy="76" r="17" fill="{LIME}"/>')
    write("art/title/app_icon", 256, 256, body, defs)


# ---------------------------------------------------------------- account panel

def face(w, h, label, fill, edge, ink, top=None):
    top = top or fill
    defs = (f'<linearGradient id="f" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{top}"/>'
            f'<stop offset="1" stop-color="{fill}"/></linearGradient>')
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="4" fill="url(#f)" '
            f'stroke="{edge}"/>' + text(w / 2, h / 2 + 4.5, label, 13, ink))
    return body, defs


def account_art():
    for name, args in (("sign_in", ("登录", DEEP, "#0D47A1", "#fff", "#1E88E5")),
                       ("sign_in_hover", ("登录", "#1E88E5", "#1565C0", "#fff", SKY)),
                       ("register", ("注册", "#FFFFFF", SKY, DEEP, "#FFFFFF")),
                       ("register_hover", ("注册", "#E3F2FD", DEEP, DEEP, "#FFFFFF"))):
        body, defs = face(61, 27, *args)
        write(f"art/account/{name}", 61, 27, body, defs)

    def power(w, h, colour):
        cx, cy = w / 2, h / 2 + 1
        return (f'<path d="M{cx - 4.2} {cy - 5}a6.3 6.3 0 1 0 8.4 0" fill="none" stroke="{colour}" '
                f'stroke-width="2" stroke-linecap="round"/>'
                f'<path d="M{cx} {cy - 8}v6" stroke="{colour}" stroke-width="2" stroke-linecap="round"/>')

    write("art/account/sign_out", 20, 22, power(20, 22, GREY))
    write("art/account/sign_out_hover", 21, 20, power(21, 19, ORANGE))

    for name, char, c1, c2 in (("badge_basic", "基", SKY, DEEP),
                               ("badge_standard", "标", "#66BB6A", "#2E7D32"),
                               ("badge_premium", "尊", "#FFCA28", "#F57C00")):
        defs = (f'<linearGradient id="b" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{c1}"/>'
                f'<stop offset="1" stop-color="{c2}"/></linearGradient>')
        body = ('<path d="M18 40l-6 17 8-3 5 6 5-15zM42 40l6 17-8-3-5 6-5-15z" fill="' + c2 + '"/>'
                '<circle cx="30" cy="26" r="21" fill="url(#b)" stroke="#fff" stroke-width="2.5"/>'
                '<circle cx="30" cy="26" r="16" fill="none" stroke="#fff" stroke-opacity="0.55"/>'
                + text(30, 33, char, 19, "#fff", "bold"))
        write(f"art/account/{name}", 60, 60, body, defs)

    card = (f'<linearGradient id="c" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="{SKY}"/>'
            f'<stop offset="1" stop-color="{DEEP}"/></linearGradient>')
    body = ('<rect x="4" y="4" width="242" height="92" rx="10" fill="url(#c)"/>'
            '<circle cx="214" cy="20" r="38" fill="#fff" fill-opacity="0.08"/>'
            '<circle cx="232" cy="86" r="26" fill="#fff" fill-opacity="0.08"/>'
            '<path d="M30 62a13 13 0 0 1 1-26 17 17 0 0 1 32 3 11 11 0 0 1-1 23z" fill="#fff" fill-opacity="0.95"/>'
            f'<path d="M38 50l5 5 9-10" fill="none" stroke="{DEEP}" stroke-width="3" stroke-linecap="round" stroke-linejoin="round"/>'
            + text(80, 44, "登录云端，开启智能营销", 14, "#fff", "bold", "start")
            + text(80, 66, "网站体检 · 排名查询 · 信息发布", 11, "#E3F2FD", "normal", "start"))
    write("art/account/signed_out", 250, 100, body, card)

    body = (f'<rect x="4" y="4" width="242" height="92" rx="10" fill="{PANEL}" stroke="#E0E0E0"/>'
            + text(16, 24, "软件推荐", 12, DEEP, "bold", "start"))
    write("art/account/recommend_panel", 250, 100, body)
    for i, (c1, c2, glyph) in enumerate(((SKY, DEEP, '<path d="M14 32V20l10-6 10 6v12H14z" fill="none" stroke="#fff" stroke-width="2.6" stroke-linejoin="round"/><path d="M21 32v-7h6v7" stroke="#fff" stroke-width="2.6" fill="none"/>'),
                                         ("#66BB6A", "#2E7D32", '<circle cx="22" cy="22" r="8" fill="none" stroke="#fff" stroke-width="2.6"/><path d="M28 28l7 7" stroke="#fff" stroke-width="3" stroke-linecap="round"/>'),
                                         ("#FFB74D", "#EF6C00", '<rect x="15" y="12" width="18" height="25" rx="3" fill="none" stroke="#fff" stroke-width="2.6"/><path d="M20 31h8" stroke="#fff" stroke-width="2.4" stroke-linecap="round"/>')), 1):
        defs = (f'<linearGradient id="r" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="{c1}"/>'
                f'<stop offset="1" stop-color="{c2}"/></linearGradient>')
        write(f"art/account/recommend_{i}", 48, 48,
              '<rect x="1" y="1" width="46" height="46" rx="11" fill="url(#r)"/>' + glyph, defs)


# ---------------------------------------------------------------- check-up page

def checkup_art():
    def check_now(w, h, c1, c2, dy):
        defs = (f'<linearGradient id="k" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{c1}"/>'
                f'<stop offset="1" stop-color="{c2}"/></linearGradient>'
                '<filter id="s" x="-10%" y="-10%" width="120%" height="140%">'
                + shadow_chain(2, 2, "#33691E", 0.35) + '</filter>')
        body = (f'<rect x="5" y="{4 + dy}" width="{w - 10}" height="{h - 13}" rx="{(h - 13) / 2}" '
                f'fill="url(#k)" filter="url(#s)"/>'
                f'<rect x="9" y="{6 + dy}" width="{w - 18}" height="{(h - 13) / 2 - 3}" rx="{(h - 13) / 4}" '
                f'fill="#fff" fill-opacity="0.18"/>'
                f'<g transform="translate(24 {h / 2 - 14 + dy})" fill="none" stroke="#fff" stroke-width="3" '
                'stroke-linecap="round" stroke-linejoin="round"><path d="M13 2l11 4v8c0 7-5 11.5-11 13'
                '-6-1.5-11-6-11-13V6z"/><path d="M8 14l4 4 7-8"/></g>'
                + text(w / 2 + 16, h / 2 + 4 + dy, "立即体检", 23, "#fff", "bold"))
        return body, defs

    for name, (w, h, c1, c2, dy) in {"check_now": (183, 73, "#8BE22B", "rgb(101,191,5)", 0),
                                     "check_now_hover": (183, 73, "#9CEB45", "#6FCB10", 0),
                                     "check_now_down": (184, 72, "#6FC20C", "#4F9A00", 1)}.items():
        body, defs = check_now(w, h, c1, c2, dy)
        write(f"art/checkup/{name}", w, h, body, defs)

    write("art/checkup/tick", 14, 14,
          f'<circle cx="7" cy="7" r="6.5" fill="{GREEN}"/>'
          '<path d="M4 7.2l2 2 4-4.4" fill="none" stroke="#fff" stroke-width="1.7" '
          'stroke-linecap="round" stroke-linejoin="round"/>')
    write("art/checkup/separator", 14, 24,
          '<path d="M7 2v20" stroke="#BDBDBD" stroke-width="1.4" stroke-dasharray="2 2.5" '
          'stroke-linecap="round"/>')
    write("art/checkup/separator_alt", 14, 24,
          f'<path d="M7 3v18" stroke="{SKY}" stroke-width="2" stroke-linecap="round"/>'
          f'<circle cx="7" cy="12" r="2.6" fill="{SKY}"/>')

    def computer(sign):
        defs = (f'<linearGradient id="scr" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{SKY}"/>'
                f'<stop offset="1" stop-color="{DEEP}"/></linearGradient>'
                '<filter id="d" x="-20%" y="-20%" width="140%" height="150%">'
                + shadow_chain(3, 3, "#0D47A1", 0.25) + '</filter>')
        body = ('<ellipse cx="90" cy="141" rx="62" ry="6" fill="#90A4AE" fill-opacity="0.35"/>'
                '<path d="M74 112h32l4 22H70z" fill="#CFD8DC"/><rect x="58" y="132" width="64" height="6" rx="3" fill="#B0BEC5"/>'
                '<rect x="18" y="14" width="144" height="100" rx="10" fill="#ECEFF1" filter="url(#d)"/>'
                '<rect x="26" y="22" width="128" height="80" rx="5" fill="url(#scr)"/>'
                '<path d="M36 84l18-16 14 10 20-22 18 14 22-18" fill="none" stroke="#fff" stroke-opacity="0.35" '
                'stroke-width="3" stroke-linecap="round" stroke-linejoin="round"/>' + sign)
        return body, defs

    warning = (f'<g transform="translate(104 54)" filter="url(#d)"><path d="M26 2L50 44H2z" fill="{ORANGE}" '
               'stroke="#fff" stroke-width="3" stroke-linejoin="round"/>'
               '<path d="M26 16v14" stroke="#fff" stroke-width="5" stroke-linecap="round"/>'
               '<circle cx="26" cy="37" r="3" fill="#fff"/></g>')
    safe = (f'<g transform="translate(106 52)" filter="url(#d)"><path d="M23 2l21 7v14c0 13-9 21-21 25'
            f'C11 44 2 36 2 23V9z" fill="{GREEN}" stroke="#fff" stroke-width="3" stroke-linejoin="round"/>'
            '<path d="M13 24l7 7 13-14" fill="none" stroke="#fff" stroke-width="4.5" '
            'stroke-linecap="round" stroke-linejoin="round"/></g>')
    for name, sign in (("computer_warning", warning), ("computer_safe", safe)):
        body, defs = computer(sign)
        write(f"art/checkup/{name}", 180, 150, body, defs)

    defs = (f'<linearGradient id="p" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="{LIME}"/>'
            f'<stop offset="1" stop-color="{GREEN}"/></linearGradient>'
            '<pattern id="st" width="14" height="14" patternUnits="userSpaceOnUse" patternTransform="rotate(45)">'
            '<rect width="6" height="14" fill="#fff" fill-opacity="0.22"/></pattern>')
    write("art/checkup/progress", 400, 14,
          '<rect x="0" y="1" width="400" height="12" rx="6" fill="url(#p)"/>'
          '<rect x="0" y="1" width="400" height="12" rx="6" fill="url(#st)"/>', defs)

    write("art/checkup/running", 48, 48,
          f'<circle cx="24" cy="24" r="21" fill="{SKY}"/><circle cx="24" cy="24" r="14" fill="none" '
          'stroke="#fff" stroke-opacity="0.5" stroke-width="2"/><circle cx="24" cy="24" r="7" fill="none" '
          'stroke="#fff" stroke-opacity="0.5" stroke-width="2"/>'
          '<path d="M24 24L38 12" stroke="#fff" stroke-width="3" stroke-linecap="round"/>'
          '<circle cx="33" cy="20" r="2.5" fill="#fff"/>')
    write("art/checkup/idle", 48, 48,
          f'<circle cx="24" cy="24" r="21" fill="{GREY}"/><circle cx="24" cy="24" r="14" fill="none" '
          'stroke="#fff" stroke-width="2.6"/><path d="M24 15v9l6 4" fill="none" stroke="#fff" '
          'stroke-width="2.8" stroke-linecap="round" stroke-linejoin="round"/>')
    write("art/checkup/done", 48, 48,
          f'<circle cx="24" cy="24" r="21" fill="{GREEN}"/><path d="M14 24.5l7 7 13-14" fill="none" '
          'stroke="#fff" stroke-width="4" stroke-linecap="round" stroke-linejoin="round"/>')


# ---------------------------------------------------------------- status line

def status_art():
    def cloud(colour, slash):
        body = (f'<path d="M4.2 13a3.2 3.2 0 0 1 .3-6.4 4.6 4.6 0 0 1 8.8 1.1A2.7 2.7 0 0 1 12.8 13z" '
                f'fill="{colour}" stroke="#fff" stroke-width="1"/>')
        if slash:
            body += '<path d="M3 3l10 11" stroke="#fff" stroke-width="2.4"/><path d="M3 3l10 11" stroke="#E53935" stroke-width="1.4"/>'
        return body

    write("art/status/connected", 16, 16, cloud(LIME, False))
    write("art/status/disconnected", 16, 16, cloud(GREY, True))


# ---------------------------------------------------------------- busy pictures

def spinner_frames(size, colour, count=12, dots=12, radius=None, dot=None, centre_body=""):
    radius = radius or size * 0.34
    dot = dot or size * 0.055
    frames = []
    for f in range(count):
        body = centre_body
        for i in range(dots):
            a = 2 * math.pi * i / dots - math.pi / 2
            age = (f - i) % dots
            opacity = max(0.15, 1 - age / dots * 1.1)
            x = size / 2 + radius * math.cos(a)
            y = size / 2 + radius * math.sin(a)
            r = dot * (0.7 + 0.3 * opacity)
            body += f'<circle cx="{x:.2f}" cy="{y:.2f}" r="{r:.2f}" fill="{colour}" fill-opacity="{opacity:.2f}"/>'
        frames.append(body)
    return frames


def busy_art():
    write_gif("art/busy/loading", 100, 100,
              spinner_frames(100, DEEP, centre_body=text(50, 55, "载入中", 12, GREY)), 8, "white")

    def magnifier(colour, ring=""):
        return (ring + f'<circle cx="56" cy="56" r="24" fill="#E3F2FD" stroke="{colour}" stroke-width="7"/>'
                f'<path d="M74 74l20 20" stroke="{colour}" stroke-width="10" stroke-linecap="round"/>'
                '<path d="M44 50a13 13 0 0 1 12-9" fill="none" stroke="#fff" stroke-width="4" stroke-linecap="round"/>')

    frames = []
    for f in range(16):
        a = 360 * f / 16
        ring = (f'<g transform="rotate({a} 64 64)"><circle cx="64" cy="64" r="56" fill="none" stroke="#E3F2FD" '
                f'stroke-width="6"/><path d="M64 8a56 56 0 0 1 48.5 28" fill="none" stroke="{SKY}" '
                'stroke-width="6" stroke-linecap="round"/></g>')
        frames.append(magnifier(DEEP, ring))
    write_gif("art/busy/search_busy", 128, 128, frames, 6, "white")
    write("art/busy/search_idle", 128, 128,
          '<rect width="128" height="128" fill="#fff"/><circle cx="64" cy="64" r="56" fill="#F5F9FF"/>'
          + magnifier(DEEP), fmt="jpg")

    def search_button(c1, c2, label, glyph):
        defs = (f'<linearGradient id="s" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{c1}"/>'
                f'<stop offset="1" stop-color="{c2}"/></linearGradient>')
        return (f'<rect x="0.5" y="0.5" width="88" height="30" rx="15" fill="url(#s)"/>' + glyph
                + text(54, 20.5, label, 13, "#fff", "bold")), defs

    body, defs = search_button(SKY, DEEP, "检索",
                               '<circle cx="24" cy="14" r="5.5" fill="none" stroke="#fff" stroke-width="2.2"/>'
                               '<path d="M28 18l4.5 4.5" stroke="#fff" stroke-width="2.4" stroke-linecap="round"/>')
    write("art/busy/search_button", 89, 31, body, defs)
    body, defs = search_button("#FFB74D", ORANGE, "停止",
                               '<rect x="20" y="10" width="11" height="11" rx="2" fill="#fff"/>')
    write("art/busy/search_button_busy", 89, 31, body, defs)

    plane = ('<path d="M38 10L8 22l11 5 3 11 5-8 7 5z" fill="none" stroke="{c}" stroke-width="2.6" '
             'stroke-linejoin="round"/>')
    frames = []
    for f in range(12):
        dx = 3 * math.sin(2 * math.pi * f / 12)
        dy = -3 * math.sin(2 * math.pi * f / 12)
        frames.append(f'<circle cx="24" cy="24" r="22" fill="#E3F2FD"/>'
                      f'<g transform="translate({dx:.2f} {dy:.2f})">' + plane.replace("{c}", DEEP) + '</g>')
    write_gif("art/busy/publish_busy", 48, 48, frames, 8, "white")
    write("art/busy/publish_idle", 48, 48,
          f'<circle cx="24" cy="24" r="22" fill="{PANEL}" stroke="#E0E0E0"/>' + plane.replace("{c}", GREY))
    write("art/busy/publish_done", 48, 48,
          f'<circle cx="24" cy="24" r="22" fill="{GREEN}"/><path d="M14 24.5l7 7 13-14" fill="none" '
          'stroke="#fff" stroke-width="4" stroke-linecap="round" stroke-linejoin="round"/>')


# ---------------------------------------------------------------- skin center

def skin_center_art():
    def close_body(w, h, plate, ink):
        cx, cy = w / 2, h / 2
        return plate + (f'<path d="M{cx - 5} {cy - 5}l10 10M{cx + 5} {cy - 5}l-10 10" fill="none" '
                        f'stroke="{ink}" stroke-width="2" stroke-linecap="round"/>')

    write("art/skin/close", 27, 25, close_body(27, 25, "", "#fff"))
    write("art/skin/close_hover", 27, 25, close_body(27, 25, hover_plate(27, 25, RED, 0.95), "#fff"))
    write("art/skin/close_down", 26, 25, close_body(26, 25, hover_plate(26, 25, "#B71C1C", 1), "#fff"))
    write("art/skin/mark", 22, 22,
          f'<circle cx="11" cy="11" r="10" fill="{GREEN}" stroke="#fff" stroke-width="1.6"/>'
          '<path d="M6.5 11.3l3 3 6-6.4" fill="none" stroke="#fff" stroke-width="2.2" '
          'stroke-linecap="round" stroke-linejoin="round"/>')


# ---------------------------------------------------------------- backgrounds

def blur(id_, sd):
    return f'<filter id="{id_}" x="-50%" y="-50%" width="200%" height="200%"><feGaussianBlur stdDeviation="{sd}"/></filter>'


def gradient(id_, stops, x2=0, y2=1):
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return f'<linearGradient id="{id_}" x1="0" y1="0" x2="{x2}" y2="{y2}">{s}</linearGradient>'


def clouds(w, seed, count, y0, y1, opacity=0.55):
    rnd = random.Random(seed)
    out = ""
    for _ in range(count):
        cx, cy = rnd.uniform(0, w), rnd.uniform(y0, y1)
        s = rnd.uniform(0.7, 1.6)
        o = rnd.uniform(opacity * 0.5, opacity)
        out += (f'<g filter="url(#cb)" fill="#fff" fill-opacity="{o:.2f}" transform="translate({cx:.0f} {cy:.0f}) scale({s:.2f})">'
                '<ellipse cx="0" cy="0" rx="70" ry="20"/><ellipse cx="-30" cy="-12" rx="34" ry="22"/>'
                '<ellipse cx="22" cy="-18" rx="40" ry="28"/></g>')
    return out


def hills(w, h, base, amp, colour, seed, opacity=1.0, waves=3):
    rnd = random.Random(seed)
    phases = [rnd.uniform(0, 6.28) for _ in range(waves)]
    lens = [rnd.uniform(180, 520) for _ in range(waves)]
    pts = []
    for x in range(0, w + 21, 20):
        y = base + sum(amp / (i + 1) * math.sin(x / lens[i] * 6.28 + phases[i]) for i in range(waves))
        pts.append(f"{x},{y:.1f}")
    return f'<path d="M0,{h} L{" L".join(pts)} L{w},{h} Z" fill="{colour}" fill-opacity="{opacity}"/>'


def stars(w, h, seed, count):
    rnd = random.Random(seed)
    return "".join(f'<circle cx="{rnd.uniform(0, w):.0f}" cy="{rnd.uniform(0, h):.0f}" '
                   f'r="{rnd.uniform(0.5, 1.6):.1f}" fill="#fff" fill-opacity="{rnd.uniform(0.3, 0.95):.2f}"/>'
                   for _ in range(count))


def skin_scene(n, w, h):
    """The six skins; each is darker at the top and bottom where white text sits."""
    defs = blur("cb", 9) + blur("big", 40)
    if n == 1:  # sky
        defs += gradient("bg", ((0, "#0D47A1"), (0.35, DEEP), (0.75, SKY), (1, "#1E88E5")))
        body = (f'<rect width="{w}" height="{h}" fill="url(#bg)"/>'
                f'<circle cx="{w * 0.82:.0f}" cy="60" r="160" fill="#BBDEFB" fill-opacity="0.25" filter="url(#big)"/>'
                + clouds(w, 11, max(8, w // 90), 150, 520, 0.5)
                + hills(w, h, h - 70, 18, "#0D47A1", 4, 0.35))
    elif n == 2:  # ocean
        defs += gradient("bg", ((0, "#004D61"), (0.5, "#00838F"), (1, "#006064")))
        body = f'<rect width="{w}" height="{h}" fill="url(#bg)"/>'
        body += f'<circle cx="{w * 0.2:.0f}" cy="80" r="170" fill="#80DEEA" fill-opacity="0.22" filter="url(#big)"/>'
        for i, (c, o) in enumerate((("#26C6DA", 0.25), ("#00ACC1", 0.35), ("#00838F", 0.5), ("#005662", 0.7))):
            body += hills(w, h, 260 + i * 70, 22, c, 20 + i, o, 2)
    elif n == 3:  # dawn
        defs += gradient("bg", ((0, "#4527A0"), (0.45, "#AD1457"), (0.8, "#EF6C00"), (1, "#6A1B9A")))
        body = (f'<rect width="{w}" height="{h}" fill="url(#bg)"/>'
                f'<circle cx="{w * 0.5:.0f}" cy="{h * 0.72:.0f}" r="110" fill="#FFCC80" fill-opacity="0.75" filter="url(#big)"/>'
                f'<circle cx="{w * 0.5:.0f}" cy="{h * 0.72:.0f}" r="48" fill="#FFE0B2" fill-opacity="0.9"/>'
                + clouds(w, 33, max(6, w // 130), 200, 380, 0.25)
                + hills(w, h, h - 120, 26, "#4A148C", 5, 0.85)
                + hills(w, h, h - 60, 14, "#311B92", 6, 0.95))
    elif n == 4:  # forest
        defs += gradient("bg", ((0, "#1B5E20"), (0.45, "#388E3C"), (0.8, "#7CB342"), (1, "#33691E")))
        body = (f'<rect width="{w}" height="{h}" fill="url(#bg)"/>'
                f'<circle cx="{w * 0.75:.0f}" cy="170" r="150" fill="#F0F4C3" fill-opacity="0.35" filter="url(#big)"/>'
                + hills(w, h, 300, 40, "#558B2F", 41, 0.6)
                + hills(w, h, 380, 34, "#33691E", 42, 0.8)
                + hills(w, h, 470, 26, "#1B5E20", 43, 0.95))
        rnd = random.Random(44)
        for _ in range(w // 25):
            x, y, s = rnd.uniform(0, w), rnd.uniform(470, 560), rnd.uniform(0.6, 1.2)
            body += (f'<path transform="translate({x:.0f} {y:.0f}) scale({s:.2f})" d="M0 -60L18 0H-18z" '
                     'fill="#0F3D13" fill-opacity="0.9"/>')
    elif n == 5:  # night
        defs += gradient("bg", ((0, "#0B1026"), (0.55, "#1A237E"), (1, "#283593")))
        body = (f'<rect width="{w}" height="{h}" fill="url(#bg)"/>' + stars(w, h * 0.8, 51, w // 4)
                + f'<circle cx="{w * 0.8:.0f}" cy="190" r="90" fill="#C5CAE9" fill-opacity="0.25" filter="url(#big)"/>'
                f'<circle cx="{w * 0.8:.0f}" cy="190" r="38" fill="#FFF8E1"/>'
                f'<circle cx="{w * 0.8 + 16:.0f}" cy="180" r="34" fill="#1A237E" fill-opacity="0.92"/>'
                + hills(w, h, h - 90, 30, "#121858", 52, 0.95))
    else:  # mist
        defs += gradient("bg", ((0, "#37474F"), (0.4, "#607D8B"), (0.8, "#90A4AE"), (1, "#455A64")))
        body = f'<rect width="{w}" height="{h}" fill="url(#bg)"/>'
        body += f'<circle cx="{w * 0.3:.0f}" cy="200" r="180" fill="#ECEFF1" fill-opacity="0.35" filter="url(#big)"/>'
        for i, (c, o) in enumerate((("#B0BEC5", 0.45), ("#78909C", 0.6), ("#546E7A", 0.8), ("#37474F", 0.95))):
            body += hills(w, h, 250 + i * 85, 55 - i * 8, c, 60 + i, o, 3)
        body += clouds(w, 65, max(8, w // 80), 260, 520, 0.35)
    return body, defs


def backgrounds():
    for n in range(1, 7):
        rel = f"skins/皮肤{n}"
        body, defs = skin_scene(n, 900, 600)
        write(rel, 900, 600, body, defs, fmt="jpg")
    body, defs = skin_scene(1, 1175, 600)
    write("art/background/builtin", 1175, 600, body, defs, fmt="jpg")
    defs = gradient("bg", ((0, "#0D47A1"), (0.45, DEEP), (1, SKY)), 1, 1) + blur("big", 50)
    body = ('<rect width="900" height="600" fill="url(#bg)"/>'
            '<circle cx="760" cy="40" r="220" fill="#90CAF9" fill-opacity="0.25" filter="url(#big)"/>'
            '<circle cx="80" cy="560" r="200" fill="#0D47A1" fill-opacity="0.35" filter="url(#big)"/>')
    write("art/background/design", 900, 600, body, defs, fmt="jpg")


if __name__ == "__main__":
    feature_icons()
    highlights()
    title_buttons()
    account_art()
    checkup_art()
    status_art()
    busy_art()
    skin_center_art()
    backgrounds()
