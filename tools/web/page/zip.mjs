// A zip archive of files stored as they are (no compression): what any unzip program and every
// system's file manager opens, in a few lines and without a library.

const crcTable = (() => {
    const table = new Uint32Array(256);
    for (let n = 0; n < 256; n++) {
        let c = n;
        for (let k = 0; k < 8; k++) {
            c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
        }
        table[n] = c >>> 0;
    }
    return table;
})();

export function crc32(bytes) {
    let crc = 0xffffffff;
    for (let i = 0; i < bytes.length; i++) {
        crc = crcTable[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
    }
    return (crc ^ 0xffffffff) >>> 0;
}

// entries: [{name, bytes (Uint8Array)}], names in UTF-8; the date is the DOS epoch, so that the
// same files always make the same archive. Sizes stay below 4 GiB (no zip64).
export function storedZip(entries) {
    const encoder = new TextEncoder();
    const parts = [];
    const central = [];
    let offset = 0;
    for (const entry of entries) {
        const name = encoder.encode(entry.name);
        const crc = crc32(entry.bytes);
        const size = entry.bytes.length;
        const local = new DataView(new ArrayBuffer(30));
        local.setUint32(0, 0x04034b50, true);
        local.setUint16(4, 20, true); // version needed: 2.0
        local.setUint16(6, 0x0800, true); // names in UTF-8
        local.setUint16(8, 0, true); // stored
        local.setUint16(10, 0, true); // time
        local.setUint16(12, 0x21, true); // date: 1980-01-01
        local.setUint32(14, crc, true);
        local.setUint32(18, size, true);
        local.setUint32(22, size, true);
        local.setUint16(26, name.length, true);
        local.setUint16(28, 0, true);
        const head = new DataView(new ArrayBuffer(46));
        head.setUint32(0, 0x02014b50, true);
        head.setUint16(4, 20, true);
        head.setUint16(6, 20, true);
        head.setUint16(8, 0x0800, true);
        head.setUint16(10, 0, true);
        head.setUint16(12, 0, true);
        head.setUint16(14, 0x21, true);
        head.setUint32(16, crc, true);
        head.setUint32(20, size, true);
        head.setUint32(24, size, true);
        head.setUint16(28, name.length, true);
        head.setUint32(42, offset, true); // the rest (comments, attributes) stays 0
        parts.push(new Uint8Array(local.buffer), name, entry.bytes);
        central.push(new Uint8Array(head.buffer), name);
        offset += 30 + name.length + size;
    }
    const centralSize = central.reduce((sum, part) => sum + part.length, 0);
    const end = new DataView(new ArrayBuffer(22));
    end.setUint32(0, 0x06054b50, true);
    end.setUint16(8, entries.length, true);
    end.setUint16(10, entries.length, true);
    end.setUint32(12, centralSize, true);
    end.setUint32(16, offset, true);
    const all = [...parts, ...central, new Uint8Array(end.buffer)];
    const zip = new Uint8Array(all.reduce((sum, part) => sum + part.length, 0));
    let at = 0;
    for (const part of all) {
        zip.set(part, at);
        at += part.length;
    }
    return zip;
}
