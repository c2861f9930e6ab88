// The page side of ZELVO's web binding: builds each window as DOM elements
// from what the program (zelvo.js) hands over, passes clicks and the close
// command back in, one event at a time, and shows the modal message box.
// It holds no rule of the games; those are all in the program.
'use strict';

const zelvoPage = (() => {
  const root = document.documentElement;
  // The same numbers as the program's ControlType and Alignment.
  const controlTypes = ['label', 'field', 'button'];
  const alignments = ['left', 'center', 'right'];

  const windows = new Map(); // id -> { element, client, controls, fixed }
  let current = null;        // the open window
  let quitting = false;
  let menuReturn = null;     // where the focus goes back when the menu bar is left
  let altAlone = false;
  const measuring = document.createElement('canvas').getContext('2d');

  const state = () => root.dataset.zelvo;
  // The program's texts break lines with CR LF; the page's with LF alone.
  const lines = (text) => text.replace(/\r\n?/g, '\n');
  const setState = (value) => { root.dataset.zelvo = value; };

  function make(tag, attributes = {}, text = null) {
    const element = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes))
      element.setAttribute(name, value);
    if (text !== null)
      element.textContent = text;
    return element;
  }

  // One event at a time: the document is busy from the input's own listener
  // until the program, and every box it opened, has returned.
  function run(name, types, args) {
    if (state() !== 'idle')
      return;
    setState('busy');
    Promise.resolve(api.call(name, types, args))
      .catch((error) => console.error('ZELVO:', error))
      .finally(() => (quitting ? end() : setState('idle')));
  }

  function end() {
    setState('ended');
    const page = make('section', { 'data-ended': '' });
    const restart = make('button', { type: 'button' }, 'もう一度始める');
    restart.addEventListener('click', () => location.reload());
    page.append(make('p', {}, 'ZELVO は終了しました。'), restart);
    document.getElementById('desktop').replaceChildren(page);
    restart.focus();
    // An installed app's own window closes where the browser lets a page close it.
    if (matchMedia('(display-mode: standalone)').matches)
      window.close();
  }

  // What a screen reader calls a control where its caption alone does not
  // say whose it is; a label so named is a note, which may carry a name.
  function giveName(control, kind, accessibleName) {
    if (!accessibleName)
      return;
    control.setAttribute('aria-label', accessibleName);
    if (kind === 'label')
      control.setAttribute('role', 'note');
  }

  function focusables(win) {
    return [...win.client.querySelectorAll('input, button')];
  }

  function enabledCommands(win) {
    return [...win.element.querySelectorAll('[role="menuitem"]:not(:disabled)')];
  }

  function enterMenu(win) {
    const commands = enabledCommands(win);
    if (commands.length === 0)
      return;
    menuReturn = document.activeElement;
    commands[0].focus();
  }

  function leaveMenu() {
    if (menuReturn && menuReturn.isConnected)
      menuReturn.focus();
    menuReturn = null;
  }

  // Scaled down to fit a narrow screen, never cropped; the fixed place holds
  // where the window fits there, elsewhere it is centred.
  function place(win) {
    const { element, client, fixed } = win;
    element.style.transform = '';
    const viewWidth = root.clientWidth;
    const viewHeight = root.clientHeight;
    const width = element.offsetWidth;
    const height = element.offsetHeight;
    const scale = Math.min(1, viewWidth / width);
    let left = (viewWidth - width * scale) / 2;
    let top = Math.max(0, (viewHeight - height * scale) / 2);
    if (fixed) {
      const fixedLeft = fixed.left - client.offsetLeft - element.clientLeft;
      const fixedTop = fixed.top - client.offsetTop - element.clientTop;
      if (scale === 1 && fixedLeft >= 0 && fixedTop >= 0 && fixedLeft + width <= viewWidth) {
        left = fixedLeft;
        top = fixedTop;
      }
    }
    element.style.left = `${Math.round(left)}px`;
    element.style.top = `${Math.round(top)}px`;
    if (scale < 1)
      element.style.transform = `scale(${scale})`;
    document.getElementById('desktop').style.minHeight = `${Math.ceil(top + height * scale)}px`;
  }

  function onKeyDown(event) {
    altAlone = event.key === 'Alt' && !event.repeat && !event.ctrlKey && !event.shiftKey && !event.metaKey;
    const win = current;
    if (!win || state() !== 'idle')
      return;
    const onMenu = event.target.getAttribute?.('role') === 'menuitem';
    if (event.key === 'F10' && !event.shiftKey) {
      event.preventDefault();
      if (onMenu)
        leaveMenu();
      else
        enterMenu(win);
    } else if (onMenu && (event.key === 'ArrowLeft' || event.key === 'ArrowRight')) {
      event.preventDefault();
      const commands = enabledCommands(win);
      const step = event.key === 'ArrowRight' ? 1 : -1;
      const next = (commands.indexOf(event.target) + step + commands.length) % commands.length;
      commands[next].focus();
    } else if (onMenu && (event.key === 'Escape' || event.key === 'Tab')) {
      event.preventDefault();
      leaveMenu();
    } else if (event.key === 'Tab' && !event.altKey && !event.ctrlKey) {
      // The designed order, wrapping from the last control to the first.
      event.preventDefault();
      const stops = focusables(win);
      const at = stops.indexOf(document.activeElement);
      const step = event.shiftKey ? -1 : 1;
      const next = at < 0 ? (step > 0 ? 0 : stops.length - 1) : (at + step + stops.length) % stops.length;
      stops[next]?.focus();
    }
  }

  function onKeyUp(event) {
    if (event.key === 'Alt' && altAlone && current && state() === 'idle') {
      event.preventDefault();
      if (document.activeElement?.getAttribute('role') === 'menuitem')
        leaveMenu();
      else
        enterMenu(current);
    }
    altAlone = false;
  }

  document.addEventListener('keydown', onKeyDown);
  document.addEventListener('keyup', onKeyUp);
  window.addEventListener('resize', () => current && place(current));

  const api = {
    // Calls into the program; a test inspector may take the calls instead.
    call: (name, types, args) => Module.ccall(name, null, types, args, { async: true }),

    beginWindow(id, name, caption, width, height) {
      const element = make('section', { 'data-window': name, class: 'window', 'aria-labelledby': `caption-${id}` });
      const bar = make('div', { class: 'caption-bar' });
      const close = make('button', { type: 'button', 'data-close': '', tabindex: '-1', 'aria-label': '閉じる' }, '×');
      close.addEventListener('mousedown', (event) => event.preventDefault());
      close.addEventListener('click', () => run('zelvo_close', ['number'], [id]));
      bar.append(make('img', { src: 'icon-32.png', alt: '' }),
                 make('span', { 'data-caption': '', id: `caption-${id}` }, caption), close);
      const client = make('div', { 'data-client': '' });
      client.style.width = `${width}px`;
      client.style.height = `${height}px`;
      element.append(bar, client);
      windows.set(id, { element, client, controls: new Map(), fixed: null });
    },

    addCommand(id, name, caption, enabled) {
      const win = windows.get(id);
      let bar = win.element.querySelector('[role="menubar"]');
      if (!bar) {
        bar = make('div', { role: 'menubar', 'aria-label': 'メニュー' });
        win.client.before(bar);
      }
      const command = make('button', { type: 'button', role: 'menuitem', 'data-command': name, tabindex: '-1' }, caption);
      if (!enabled) {
        command.disabled = true;
        command.setAttribute('aria-disabled', 'true');
      }
      // A click on the bar leaves the focus where it was, as a desktop menu does.
      command.addEventListener('mousedown', (event) => event.preventDefault());
      command.addEventListener('click', () => {
        // Chosen from the keyboard: the focus goes back first, as a desktop menu gives it back.
        if (menuReturn)
          leaveMenu();
        run('zelvo_clicked', ['number', 'string'], [id, name]);
      });
      bar.append(command);
    },

    addControl(id, type, name, text, left, top, width, height, ownFont, fontPixels, bold, align, accessibleName, unspoken, numeric) {
      const win = windows.get(id);
      const kind = controlTypes[type];
      let control;
      if (kind === 'field') {
        control = make('input', { type: 'text', autocomplete: 'off', spellcheck: 'false' });
        if (numeric)
          control.inputMode = 'numeric';
        control.value = text;
      } else if (kind === 'button') {
        control = make('button', { type: 'button' }, text);
        control.addEventListener('click', () => run('zelvo_clicked', ['number', 'string'], [id, name]));
      } else {
        control = make('div', {}, lines(text));
      }
      control.dataset.control = name;
      win.controls.set(name, { control, kind });
      giveName(control, kind, accessibleName);
      // A label whose words another control's name already says.
      if (unspoken)
        control.setAttribute('aria-hidden', 'true');
      if (ownFont)
        control.classList.add('designed-font');
      Object.assign(control.style, {
        left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px`,
        fontSize: `${fontPixels}px`, fontWeight: bold ? '700' : '400', textAlign: alignments[align],
      });
      win.client.append(control);
    },

    showWindow(id, left, top) {
      const win = windows.get(id);
      win.fixed = left >= 0 ? { left, top } : null;
      quitting = false; // a window shown: the program goes on
      // The menu window the page was drawn with goes as the program's own comes.
      document.getElementById('prerender')?.remove();
      document.getElementById('desktop').append(win.element);
      current = win;
      place(win);
      focusables(win)[0]?.focus();
    },

    removeWindow(id) {
      const win = windows.get(id);
      if (!win)
        return;
      windows.delete(id);
      win.element.remove();
      if (current === win)
        current = null;
    },

    hasControl(id, name, type) {
      return windows.get(id)?.controls.get(name)?.kind === controlTypes[type];
    },

    text(id, name) {
      return windows.get(id).controls.get(name).control.value;
    },

    setText(id, name, text, accessibleName) {
      const { control, kind } = windows.get(id).controls.get(name);
      if (kind === 'field')
        control.value = text;
      else
        control.textContent = lines(text);
      giveName(control, kind, accessibleName);
    },

    // The caption's width at another size, in the label's own font.
    measure(id, name, pixels) {
      const { control } = windows.get(id).controls.get(name);
      const style = getComputedStyle(control);
      measuring.font = `${style.fontWeight} ${pixels}px ${style.fontFamily}`;
      return measuring.measureText(control.textContent).width;
    },

    // Draws the label's caption at a smaller size on the same baseline; 0 for the designed size.
    drawAt(id, name, pixels) {
      const { control } = windows.get(id).controls.get(name);
      if (pixels === 0)
        return;
      const smaller = make('span', {}, control.textContent);
      smaller.style.fontSize = `${pixels}px`;
      control.replaceChildren(smaller);
    },

    // Resolved on OK or Escape in the same task as the key or click, never
    // on the dialog's later close event: a quick second Return must find
    // either the next box or a program ready for it.
    showMessage(title, text) {
      return new Promise((resolve) => {
        const box = make('dialog', { 'data-box': '', role: 'alertdialog', 'aria-labelledby': 'box-title', 'aria-describedby': 'box-text' });
        const ok = make('button', { type: 'button' }, 'OK');
        box.append(make('h2', { 'data-box-title': '', id: 'box-title' }, title),
                   make('p', { 'data-box-text': '', id: 'box-text' }, lines(text)), ok);
        const back = document.activeElement;
        let answered = false;
        const answer = (event) => {
          event.preventDefault();
          if (answered)
            return;
          answered = true;
          box.close();
          box.remove();
          if (back?.isConnected)
            back.focus();
          resolve();
        };
        ok.addEventListener('click', answer);
        box.addEventListener('cancel', answer);
        // Should the browser close a box without a cancel event (its close
        // watchers may, for an Escape with no user activation), the wait ends too.
        box.addEventListener('close', answer);
        document.body.append(box);
        box.showModal();
        ok.focus();
      });
    },

    announce(text) {
      // A fresh node each time, so that the same words twice are read twice.
      document.getElementById('announcer').replaceChildren(document.createTextNode(text));
    },

    quit() {
      quitting = true;
    },

    started() {
      setState(quitting ? 'ended' : 'idle');
    },
  };
  return api;
})();

var Module = {
  postRun: [() => zelvoPage.started()],
};

if ('serviceWorker' in navigator)
  navigator.serviceWorker.register('sw.js').catch((error) => console.warn('ZELVO: no offline copy:', error));
